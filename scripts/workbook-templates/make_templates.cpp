// Writes every embedded workbook template into the folder given as argument. Run through
// scripts/make-workbook-templates; the results are committed under src/documents/workbooks.
#include "generator.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace gen;

namespace {

std::string out;

Col nrcrt() { return {"Nr. crt.", 5, "%NRCRT", Kind::Center}; }
Col text(const char* head, double w, const char* marker) { return {head, w, marker, Kind::Text}; }
Col center(const char* head, double w, const char* marker) { return {head, w, marker, Kind::Center}; }
Col amount(const char* head, double w, const char* marker, bool total = true)
{
    Col c{head, w, marker, Kind::Int};
    c.total = total ? 'S' : 0;
    return c;
}
Col area(const char* head, double w, const char* marker, bool total = true)
{
    Col c{head, w, marker, Kind::Area4};
    c.total = total ? 'S' : 0;
    return c;
}
Col date(const char* head, const char* marker) { return {head, 10.5, marker, Kind::Date}; }
Col formula(const char* head, double w, const char* f, bool total = true)
{
    Col c{head, w, "", Kind::Formula};
    c.formula = f;
    c.total = total ? 'S' : 0;
    return c;
}
Col grouped(Col c, const char* group, const char* band = "")
{
    c.group = group;
    c.band = band;
    return c;
}
Col count(Col c, const char* format)
{
    c.total = 'N';
    c.countFormat = format;
    return c;
}

void save(Book& b, const char* name)
{
    if (!b.close()) {
        std::fprintf(stderr, "cannot write %s\n", name);
        std::exit(1);
    }
    std::printf("%s\n", name);
}

void simple(const char* name, const ListSpec& def)
{
    Book b(out + "/" + name + ".xlsx");
    list(b, def);
    save(b, name);
}

// ---------------------------------------------------------------------------------------------------------

void listaPers()
{
    ListSpec s;
    s.landscape = true;
    s.title = "#LISTA";
    s.subtitles = {"(evidenta contribuabililor din registrul de rol)"};
    s.cols = {nrcrt(), text("Localitatea", 16, "#SATUL"), center("Nr. rol", 8, "#ROL"),
              count(text("Nume si prenume / Denumire", 32, "#NUMEP"), "0\" contribuabili\""),
              center("C.N.P. / C.U.I.", 15, "#CNP"), text("Strada", 20, "#STRADA"), text("Adresa", 26, "#ADRESA"),
              amount("Nr. pers.", 7, "#NRPERS")};
    s.footer = {"Intocmit,"};
    simple("ListaPers", s);
}

void nrPers()
{
    ListSpec s;
    s.title = "LISTA ROL-URILOR CU NUMARUL DE PERSOANE";
    s.labels = {{"Localitatea:", "[LOCALIT]", true}};
    s.cols = {nrcrt(), center("Nr. rol", 8, "#ROL"), count(text("Nume si prenume", 30, "#NUMEP"), "0\" roluri\""),
              center("C.N.P.", 15, "#CNP"), text("Adresa", 30, "#ADRESA"), amount("Nr. persoane", 9, "#NRPERS")};
    s.footer = {"Intocmit,"};
    simple("NrPers", s);
}

void borderou(const char* name, const char* documents)
{
    ListSpec s;
    s.top = {"[UAT]"};
    s.title = "Borderou recomandate prezentate in serie la data de ......................";
    s.subtitles = {documents};
    s.cols = {nrcrt(), {"Nr. document", 9, "#NR", Kind::Int}, date("Data", "#DINDATA"), center("Nr. rol", 8, "#ROL"),
              count(text("Destinatarul", 30, "#NUMEP"), "0\" plicuri\""), text("Adresa", 32, "#ADRESA"),
              text("Obs.", 8, "")};
    s.totalLabel = "Total";
    s.footer = {"Am predat,|Am primit (oficiul postal),", "(semnatura)|(semnatura si stampila)"};
    simple(name, s);
}

void listPlat()
{
    ListSpec s;
    s.title = "LISTA PLATILOR EFECTUATE DIN CASIERIE";
    s.subtitles = {"#PERIOADA"};
    s.cols = {nrcrt(), date("Data", "#DATAI"), text("Document justificativ / Explicatii", 48, "#DOCJUS"),
              amount("Suma platita (lei)", 14, "#PLATIT")};
    s.footer = {"Casier,|Contabil,"};
    simple("ListPlat", s);
}

void listaAuto()
{
    ListSpec s;
    s.landscape = true;
    s.title = "LISTA MIJLOACELOR DE TRANSPORT";
    s.cols = {nrcrt(), text("Localitatea", 13, "#SATUL"), center("Nr. rol", 7, "#ROL"),
              count(text("Proprietar", 24, "#NUMEP"), "0\" vehicule\""), center("C.N.P. / C.U.I.", 14, "#CNP"),
              center("Tip pers.", 9, "#TIP"), text("Adresa", 22, "#ADRESA"), center("Nr. inmatriculare", 11, "#NRDOS"),
              text("Marca", 14, "#MARCA"), center("Combustibil", 9, "#COMBUS"), center("An fabr.", 6, "#ANULF"),
              {"Capacitate (cmc)", 9, "#CAPACIT", Kind::Int}, center("Serie sasiu", 16, "#SERIE"),
              center("Serie motor", 12, "#SERIEM"), date("Data intrarii", "#DATAIN"), date("Data iesirii", "#DATAOUT")};
    simple("ListaAuto", s);
}

void scutiri()
{
    ListSpec s;
    s.landscape = true;
    s.title = "LISTA SCUTIRILOR DE IMPOZIT";
    s.subtitles = {"(persoane care beneficiaza de scutiri la impozitele si taxele locale)"};
    s.cols = {nrcrt(), center("Tip pers.", 9, "#TIP"), text("Localitatea", 14, "#SATUL"), center("Nr. rol", 7, "#ROL"),
              text("Nume si prenume / Denumire", 28, "#NUMEP"),
              grouped({"%", 5, "#P1", Kind::Int}, "Cladiri"), grouped(amount("lei", 8, "#V1"), "Cladiri"),
              grouped({"Curti constr. %", 7, "#P2", Kind::Int}, "Teren intravilan"),
              grouped(amount("Curti constr. lei", 8, "#V2"), "Teren intravilan"),
              grouped({"Alte categ. %", 7, "#P3", Kind::Int}, "Teren intravilan"),
              grouped(amount("Alte categ. lei", 8, "#V3"), "Teren intravilan"),
              grouped(formula("Total lei", 8, "={#V2}+{#V3}"), "Teren intravilan"),
              grouped({"%", 5, "#P4", Kind::Int}, "Teren extravilan"), grouped(amount("lei", 8, "#V4"), "Teren extravilan"),
              grouped({"%", 5, "#P5", Kind::Int}, "Mijloace de transport"),
              grouped(amount("lei", 8, "#V5"), "Mijloace de transport"),
              formula("Total scutiri (lei)", 10, "={#V1}+{#V2}+{#V3}+{#V4}+{#V5}")};
    simple("Scutiri", s);
}

void te()
{
    ListSpec s;
    s.landscape = true;
    s.top = {"#UAT"};
    s.title = "SITUATIA INTRARILOR SI IESIRILOR DE TERENURI";
    s.subtitles = {"#PERIOADA", "(suprafete in ha; iesirile cu semnul minus)"};
    s.cols = {nrcrt(), text("Localitatea", 14, "#LOCALIT"), center("Nr. rol", 7, "#ROL"),
              text("Document", 20, "#DOCJUS"), {"Nr.", 7, "#NR", Kind::Int}, date("Data", "#DINDATA")};
    const char* classes[] = {"Teren arabil", "Vii", "Pasuni, fanete", "Paduri", "Livezi"};
    for (int k = 1; k <= 5; ++k) {
        static std::vector<std::string> keep;
        keep.push_back("#I" + std::to_string(k));
        keep.push_back("#E" + std::to_string(k));
        s.cols.push_back(grouped(area("Intravilan", 10, keep[keep.size() - 2].c_str()), classes[k - 1]));
        s.cols.push_back(grouped(area("Extravilan", 10, keep.back().c_str()), classes[k - 1]));
    }
    simple("TE", s);
}

void pazaPsi()
{
    ListSpec s;
    s.title = "#TITLU";
    s.cols = {nrcrt(), text("Localitatea", 16, "#SATUL"), center("Nr. rol", 8, "#ROL"),
              grouped(amount("Curent", 10, "#PAZACURENT"), "Taxa paza"), grouped(amount("Ramasita", 10, "#PAZAREST"), "Taxa paza"),
              grouped(amount("Curent", 10, "#PSICURENT"), "Taxa PSI"), grouped(amount("Ramasita", 10, "#PSIREST"), "Taxa PSI"),
              formula("Total (lei)", 11, "={#PAZACURENT}+{#PAZAREST}+{#PSICURENT}+{#PSIREST}")};
    s.footer = {"Intocmit,"};
    simple("PazaPSI", s);
}

void cenRes()
{
    ListSpec s;
    s.title = "CENTRALIZATOR DEBITE RESTANTE";
    s.subtitles = {"#LADATA"};
    s.cols = {nrcrt(), text("Grupa", 32, "#GRUPA"), center("Tip persoana", 11, "#TIP"), amount("Ramasita", 11, "#RAM"),
              amount("Curent", 11, "#CUR"), amount("Plusuri", 11, "#AVANS"), amount("Majorari", 11, "#MAJ"),
              formula("Total de incasat", 12, "={#RAM}+{#CUR}+{#MAJ}")};
    s.footer = {"Intocmit,|Verificat,"};
    simple("CenRes", s);
}

void peste12()
{
    ListSpec s;
    s.top = {"#UAT"};
    s.title = "BORDEROU MIJLOACE DE TRANSPORT PESTE 12 T";
    s.subtitles = {"(pentru Consiliul Judetean)"};
    s.cols = {nrcrt(), center("Nr. rol", 8, "#ROL"), text("Nume si prenume / Denumire", 34, "#Numep"),
              center("Tip pers.", 10, "#Tip"), amount("Nr. vehicule", 10, "#NRX"), amount("Impozit (lei)", 12, "#IMP")};
    s.footer = {"Intocmit,"};
    simple("Peste12", s);
}

void sAnalitica()
{
    ListSpec s;
    s.landscape = true;
    s.title = "SITUATIE ANALITICA CONTURI PE ROL";
    s.labels = {{"Tip persoana:", "[TIP]", true}, {"Anul:", "[ANUL]", true}};
    s.cols = {nrcrt(), text("Localitatea", 13, "#SAT"), center("Nr. rol", 7, "#ROL"), text("Nume si prenume / Denumire", 26, "#NUMEP"),
              {"Nr. pers.", 6, "#NRPERS", Kind::Int}, center("Tip", 9, "#TIP"), center("C.N.P. / C.U.I.", 14, "#CNP"),
              text("Adresa", 22, "#ADRESA"), text("Grupa / cont", 26, "#GRUPA"), amount("Sold la 01.01", 10, "#LR"),
              amount("Debit an curent", 10, "#CURENT"), amount("Incasat", 10, "#INCAS"), amount("Sold final", 10, "#SOLDF")};
    simple("SAnalitica", s);
}

void partizi()
{
    ListSpec s;
    s.landscape = true;
    s.title = "REGISTRU PARTIZI";
    s.subtitles = {"(situatia debitelor, incasarilor si soldurilor pe conturi bugetare)"};
    s.cols = {nrcrt(), text("Denumire", 24, "#GRUPA"), center("Cont buget", 13, "#CODCL"),
              grouped(amount("Suprasolviri", 9, "#LRAVANS"), "Sold la 01.01"), grouped(amount("Ramasita", 9, "#LR"), "Sold la 01.01"),
              grouped(amount("Maj. la ramasita", 9, "#LRMAJ"), "Sold la 01.01"),
              grouped(amount("Debitare initiala", 9, "#DEBIT"), "Debite"), grouped(amount("Bord. debitari", 9, "#BD"), "Debite"),
              grouped(amount("Bord. scaderi", 9, "#BS"), "Debite"),
              grouped(formula("Total debit", 10, "={#LRAVANS}+{#LR}+{#LRMAJ}+{#DEBIT}+{#BD}+{#BS}"), "Debite"),
              grouped(amount("Debit curent", 9, "#INCDEB"), "Incasari"), grouped(amount("Bonificatii", 9, "#INCBON"), "Incasari"),
              grouped(amount("Ramasita", 9, "#INCLR"), "Incasari"), grouped(amount("Maj. curente", 9, "#INCMAJC"), "Incasari"),
              grouped(amount("Maj. ramasita", 9, "#INCMAJLR"), "Incasari"),
              grouped(formula("Total incasat", 10, "={#INCDEB}+{#INCLR}+{#INCMAJC}+{#INCMAJLR}"), "Incasari"),
              amount("Incas. fara debit", 9, "#INCFD"), amount("Incas. numerar", 9, "#INCNUM"),
              grouped(amount("Sold debit", 9, "#SOLDDEB"), "Sold final"), grouped(amount("Sold majorari", 9, "#SOLDMAJ"), "Sold final"),
              grouped(amount("Sold suprasolvire", 9, "#SOLDAVANS"), "Sold final"),
              grouped(amount("Sold ramasita", 9, "#SOLDLR"), "Sold final"),
              grouped(formula("Total sold", 10, "={#SOLDDEB}+{#SOLDMAJ}+{#SOLDAVANS}+{#SOLDLR}"), "Sold final")};
    s.footer = {"Intocmit,|Contabil,"};
    simple("Partizi", s);
}

void rmTeren()
{
    ListSpec s;
    s.landscape = true;
    s.title = "REGISTRUL MATRICOL - TERENURI";
    s.labels = {{"Localitatea:", "#LOC", true}};
    s.cols = {nrcrt(), center("Nr. rol", 7, "#ROL"), text("Nume si prenume / Denumire", 24, "#NUMEP"), center("C.N.P. / C.U.I.", 14, "#CNP")};
    static std::vector<std::string> keep;
    keep.reserve(100);
    auto pair = [&](int k, const char* name, const char* band, bool metres) {
        keep.push_back("#C" + std::to_string(k));
        const char* cm = keep.back().c_str();
        keep.push_back("#I" + std::to_string(k));
        const char* im = keep.back().c_str();
        Col a = area(metres ? "mp" : "ha", 8, cm);
        if (metres)
            a.kind = Kind::Area2;
        s.cols.push_back(grouped(a, name, band));
        s.cols.push_back(grouped(amount("lei", 7, im), name, band));
    };
    const char* intra[] = {"Teren arabil", "Pasune", "Faneata", "Vie", "Livada", "Neproductiv", "Padure", "Teren cu ape"};
    pair(1, "Curti constructii", "TEREN INTRAVILAN", true);
    for (int k = 2; k <= 9; ++k)
        pair(k, intra[k - 2], "TEREN INTRAVILAN", false);
    s.cols.push_back(grouped(amount("Total impozit intravilan", 9, "#C10"), "", "TEREN INTRAVILAN"));
    const char* extra[] = {"Teren arabil", "Pasuni - fanete", "Vie pe rod", "Livada pe rod", "Fond forestier",
                           "Teren de constructii", "Teren neproductiv", "Teren cu apa", "Amenajari piscicole"};
    for (int k = 11; k <= 19; ++k)
        pair(k, extra[k - 11], "TEREN EXTRAVILAN", false);
    s.cols.push_back(grouped(amount("Total impozit extravilan", 9, "#C20"), "", "TEREN EXTRAVILAN"));
    s.cols.push_back(formula("Total general (lei)", 10, "={#C10}+{#C20}"));
    simple("RMTeren", s);
}

void rmCladiri()
{
    // Rows 1-7 heading, row 8 the building row the register repeats, row 9 the totals.
    ListSpec s;
    s.landscape = true;
    s.dbf = false;
    s.title = "REGISTRUL MATRICOL - CLADIRI";
    s.subtitles = {"(cladirile existente la 1 ianuarie)"};
    s.labels = {{"Localitatea:", "#LOC", true}, {"Anul fiscal:", "#AN", true}};
    Col mixta = center("Mixta", 6, "");
    Col spare = center("", 0, "");
    s.cols = {{"Nr. rol", 7, "", Kind::Int}, text("Nume si prenume / Denumire", 24, ""), center("C.N.P. / C.U.I.", 14, ""),
              mixta, text("Destinatie", 11, ""),
              grouped(center("Material", 8, ""), "Rezidentiala"), grouped(area("Suprafata (mp)", 10, "", true), "Rezidentiala"),
              grouped(center("Anul", 6, ""), "Rezidentiala"), grouped(center("Utilitati", 7, ""), "Rezidentiala"),
              grouped(center("Zona", 5, ""), "Rezidentiala"), grouped(center("Rang", 5, ""), "Rezidentiala"),
              spare, spare,
              grouped(center("Evaluata", 8, ""), "Nerezidentiala"), grouped(amount("Valoare (lei)", 11, ""), "Nerezidentiala"),
              grouped(center("Activ. agricola", 8, ""), "Nerezidentiala"), amount("Impozit (lei)", 10, ""),
              text("Adresa", 26, "")};
    s.cols[6].kind = Kind::Area2;
    s.footer = {"Intocmit,"};
    Book b(out + "/RMCladiri.xlsx");
    lxw_worksheet* ws = b.sheet("Cladiri");
    Layout l = listOn(b, ws, s, 0);
    lxw_row_col_options hidden = {1, 0, 0};
    worksheet_set_column_opt(ws, 11, 12, 3, nullptr, &hidden);
    if (l.dataRow != 7)
        std::fprintf(stderr, "RMCladiri: data row %d\n", l.dataRow + 1), std::exit(1);
    save(b, "RMCladiri");
}

void neCladiri()
{
    // Rows 1-5 heading, row 6 the building row the list repeats.
    ListSpec s;
    s.landscape = true;
    s.dbf = false;
    s.title = "LISTA CLADIRI NEEVALUATE";
    s.subtitles = {"(cladiri nerezidentiale a caror evaluare a expirat)"};
    Col hiddenCol = center("", 0, "");
    s.cols = {{"Nr. rol", 7, "", Kind::Int}, text("Nume si prenume / Denumire", 26, ""), center("C.N.P. / C.U.I.", 14, ""),
              center("Mixta", 6, ""), text("Destinatie", 11, ""), hiddenCol, hiddenCol, hiddenCol, hiddenCol, hiddenCol,
              hiddenCol, grouped(date("Data evaluarii", ""), "Evaluare"), grouped(amount("Valoare (lei)", 12, ""), "Evaluare"),
              center("Activ. agricola", 8, ""), amount("Impozit (lei)", 11, "")};
    s.footer = {"Intocmit,"};
    Book b(out + "/NeCladiri.xlsx");
    lxw_worksheet* ws = b.sheet("Cladiri");
    Layout l = listOn(b, ws, s, 0);
    lxw_row_col_options hidden = {1, 0, 0};
    worksheet_set_column_opt(ws, 5, 10, 3, nullptr, &hidden);
    if (l.dataRow != 5)
        std::fprintf(stderr, "NeCladiri: data row %d\n", l.dataRow + 1), std::exit(1);
    save(b, "NeCladiri");
}

void rmAuto()
{
    ListSpec s;
    s.title = "REGISTRUL MATRICOL - MIJLOACE DE TRANSPORT";
    s.labels = {{"Localitatea:", "#LOC", true}};
    s.cols = {nrcrt(), center("Nr. rol", 7, "#ROL"), text("Nume si prenume / Denumire", 26, "#NUMEP"),
              center("C.N.P. / C.U.I.", 14, "#CNP"), text("Denumire", 30, "#DENUM"), center("U.M.", 5, "#UM"),
              area("Cantitate", 9, "#CANT", false), amount("Impozit (lei)", 10, "#SUMA")};
    simple("RMAuto", s);
}

void matricTot()
{
    ListSpec s;
    s.landscape = true;
    s.title = "REGISTRUL MATRICOL CUMULAT";
    s.labels = {{"Localitatea:", "#Localitatea", true}, {"Anul fiscal:", "#ANUL", true}};
    s.cols = {nrcrt(), {"Nr. rol", 7, "#ROL", Kind::Int}, text("Nume si prenume / Denumire", 24, "#NUMEP"),
              center("C.N.P. / C.U.I.", 14, "#CNP")};
    auto add = [&](const char* head, const char* marker, const char* band, Kind k) {
        Col c{head, 8, marker, k};
        c.total = 'S';
        c.band = band;
        s.cols.push_back(c);
    };
    add("Locuinte rezid.", "#A1", "CLADIRI", Kind::Int);
    add("Anexe rezid.", "#A3", "CLADIRI", Kind::Int);
    add("Locuinte nerezid.", "#A5", "CLADIRI", Kind::Int);
    add("Anexe nerezid.", "#A7", "CLADIRI", Kind::Int);
    add("Impozit cladiri", "#A9", "CLADIRI", Kind::Int);
    add("Curti constr. (mp)", "#A10", "TEREN INTRAVILAN", Kind::Area2);
    add("Arabil (ha)", "#A11", "TEREN INTRAVILAN", Kind::Area4);
    add("Pasuni, fanete (ha)", "#A12", "TEREN INTRAVILAN", Kind::Area4);
    add("Vii (ha)", "#A13", "TEREN INTRAVILAN", Kind::Area4);
    add("Livezi (ha)", "#A14", "TEREN INTRAVILAN", Kind::Area4);
    add("Paduri (ha)", "#A15", "TEREN INTRAVILAN", Kind::Area4);
    add("Ape (ha)", "#A16", "TEREN INTRAVILAN", Kind::Area4);
    add("Neproductiv (ha)", "#A28", "TEREN INTRAVILAN", Kind::Area4);
    add("Impozit intravilan", "#A17", "TEREN INTRAVILAN", Kind::Int);
    add("Arabil (ha)", "#A18", "TEREN EXTRAVILAN", Kind::Area4);
    add("Pasuni, fanete (ha)", "#A19", "TEREN EXTRAVILAN", Kind::Area4);
    add("Vii (ha)", "#A20", "TEREN EXTRAVILAN", Kind::Area4);
    add("Livezi (ha)", "#A21", "TEREN EXTRAVILAN", Kind::Area4);
    add("Paduri (ha)", "#A22", "TEREN EXTRAVILAN", Kind::Area4);
    add("Teren constr. (ha)", "#A23", "TEREN EXTRAVILAN", Kind::Area4);
    add("Ape fara amenajari (ha)", "#A24", "TEREN EXTRAVILAN", Kind::Area4);
    add("Amenajari piscicole (ha)", "#A25", "TEREN EXTRAVILAN", Kind::Area4);
    add("Impozit extravilan", "#A26", "TEREN EXTRAVILAN", Kind::Int);
    add("Impozit auto", "#A27", "", Kind::Int);
    s.cols.push_back(formula("Total impozite (lei)", 10, "={#A9}+{#A17}+{#A26}+{#A27}"));
    simple("MatricTot", s);
}

void modelRam()
{
    Book b(out + "/ModelRam.xlsx");
    lxw_worksheet* ws = b.sheet("Lista");
    const double widths[] = {7, 28, 5, 26, 14, 9, 8, 9, 8, 9, 8, 9, 8, 9, 10};
    for (int c = 0; c < 15; ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    worksheet_set_column(ws, 15, 15, 5, nullptr);
    merge(b, ws, 0, 0, 0, 4, "#PRIMARIA", "bold");
    merge(b, ws, 2, 0, 2, 4, "#LOCALIT", "bold");
    merge(b, ws, 3, 0, 3, 14, "#LISTARAMASITE", "title");
    merge(b, ws, 4, 0, 4, 14, "#LADATA", "subtitle");
    const char* fixed[] = {"ROL", "TITULAR", "TIP Pers", "ADRESA", "CNP"};
    for (int c = 0; c < 5; ++c)
        merge(b, ws, 6, c, 7, c, fixed[c], "head");
    const char* groups[] = {"Impozit pe teren extravilan", "Impozit pe teren intravilan", "Impozit pe cladiri",
                            "Impozit pe mijloace de transport"};
    for (int g = 0; g < 4; ++g) {
        merge(b, ws, 6, 5 + 2 * g, 6, 6 + 2 * g, groups[g], "head");
        worksheet_write_string(ws, 7, lxw_col_t(5 + 2 * g), "Sold", b.f("head"));
        worksheet_write_string(ws, 7, lxw_col_t(6 + 2 * g), "Major.", b.f("head"));
    }
    worksheet_write_string(ws, 6, 13, "#", b.f("head"));
    worksheet_write_string(ws, 7, 13, "Sold", b.f("head"));
    merge(b, ws, 6, 14, 7, 14, "TOTAL", "head");
    worksheet_set_row(ws, 6, 36, nullptr);
    for (int c = 0; c < 5; ++c)
        worksheet_write_blank(ws, 8, lxw_col_t(c), b.f(c == 2 ? "cellc" : "cell"));
    for (int c = 5; c < 14; ++c)
        worksheet_write_blank(ws, 8, lxw_col_t(c), b.f("int"));
    worksheet_write_formula(ws, 8, 14, "=SUM(F9:N9)", b.f("int"));
    merge(b, ws, 9, 0, 9, 4, "TOTAL", "totlabel");
    for (int c = 5; c < 15; ++c) {
        std::string f = "=SUM(" + col(c) + "8:" + col(c) + "9)";
        worksheet_write_formula(ws, 9, lxw_col_t(c), f.c_str(), b.f("totint"));
    }
    worksheet_write_string(ws, 11, 1, "Intocmit,", b.f("bold"));
    pageSetup(ws, true, 6, 7, 11, 14);
    save(b, "ModelRam");
}

void deIncasat()
{
    Book b(out + "/DeIncasat.xlsx");
    lxw_worksheet* ws = b.sheet("Lista de incasat");
    worksheet_set_column(ws, 0, 0, 5, nullptr);
    worksheet_set_column(ws, 1, 1, 7, nullptr);
    worksheet_set_column(ws, 2, 2, 24, nullptr);
    worksheet_set_column(ws, 3, 3, 14, nullptr);
    worksheet_set_column(ws, 4, 4, 22, nullptr);
    worksheet_set_column(ws, 5, 28, 7.5, nullptr);
    worksheet_set_column(ws, 29, 29, 10, nullptr);
    merge(b, ws, 0, 0, 0, 4, "[UAT]", "bold");
    merge(b, ws, 1, 0, 1, 4, "[LOCALITATEA]", "bold");
    merge(b, ws, 2, 0, 2, 4, "[INDOP]", "text");
    merge(b, ws, 3, 3, 3, 19, "LISTA DE INCASAT", "title");
    merge(b, ws, 4, 3, 4, 19, "[DATA]", "subtitle");
    const char* fixed[] = {"Nr. crt.", "ROL", "Nume si prenume / Denumire", "C.N.P. / C.U.I.", "Adresa"};
    for (int c = 0; c < 5; ++c)
        merge(b, ws, 6, c, 8, c, fixed[c], "head");
    const char* groups[] = {"Impozit pe cladiri", "Impozit pe teren intravilan", "Impozit pe teren extravilan",
                            "Impozit pe mijloace de transport"};
    for (int g = 0; g < 4; ++g) {
        int c = 5 + 5 * g;
        merge(b, ws, 6, c, 6, c + 4, groups[g], "head");
        merge(b, ws, 7, c, 7, c + 1, "L.R.", "head");
        merge(b, ws, 7, c + 2, 7, c + 3, "Curent", "head");
        merge(b, ws, 7, c + 4, 8, c + 4, "Total", "head");
        worksheet_write_string(ws, 8, lxw_col_t(c), "Debit", b.f("head"));
        worksheet_write_string(ws, 8, lxw_col_t(c + 1), "Maj.", b.f("head"));
        worksheet_write_string(ws, 8, lxw_col_t(c + 2), "Debit", b.f("head"));
        worksheet_write_string(ws, 8, lxw_col_t(c + 3), "Maj.", b.f("head"));
    }
    merge(b, ws, 6, 25, 6, 28, "Taxa 1", "head");
    const char* spare[] = {"L.R.", "Curent", "Maj.", "Total"};
    for (int k = 0; k < 4; ++k)
        merge(b, ws, 7, 25 + k, 8, 25 + k, spare[k], "head");
    merge(b, ws, 6, 29, 8, 29, "TOTAL", "head");
    worksheet_set_row(ws, 6, 30, nullptr);
    worksheet_write_string(ws, 9, 0, "%NRCRT", b.f("cellc"));
    for (int c = 1; c < 5; ++c)
        worksheet_write_blank(ws, 9, lxw_col_t(c), b.f("cell"));
    for (int c = 5; c < 30; ++c)
        worksheet_write_blank(ws, 9, lxw_col_t(c), b.f("int"));
    for (int g = 0; g < 4; ++g) {
        int c = 5 + 5 * g;
        std::string f = "=SUM(" + cell(9, c) + ":" + cell(9, c + 3) + ")";
        worksheet_write_formula(ws, 9, lxw_col_t(c + 4), f.c_str(), b.f("int"));
    }
    worksheet_write_formula(ws, 9, 28, "=SUM(Z10:AB10)", b.f("int"));
    merge(b, ws, 10, 0, 10, 4, "TOTAL", "totlabel");
    for (int c = 5; c < 30; ++c) {
        std::string f = "=SUM(" + col(c) + "9:" + col(c) + "10)";
        worksheet_write_formula(ws, 10, lxw_col_t(c), f.c_str(), b.f("totint"));
    }
    worksheet_write_string(ws, 12, 1, "Intocmit,", b.f("bold"));
    worksheet_write_string(ws, 12, 2, "[USER]", b.f("text"));
    pageSetup(ws, true, 6, 8, 12, 29);
    save(b, "DeIncasat");
}

void listaDeInc()
{
    ListSpec s;
    s.landscape = true;
    s.top = {"[UAT]"};
    s.title = "LISTA DE INCASAT PE CONTURI";
    s.subtitles = {"[LADATA]"};
    s.cols = {nrcrt(), text("Denumire indicator", 34, "#GRUPA"), center("Cod indicator", 14, "#CODCL"),
              amount("Ramasita la 01.01", 11, "#LR"), amount("Majorari la 01.01", 11, "#LRMAJ"),
              amount("Majorari curente la ramasita", 11, "#LRMAJC"), amount("Majorari curente", 11, ""),
              formula("Total majorari", 11, "={#LRMAJ}+{#LRMAJC}+{Majorari curente}"), amount("Impozit an curent", 11, "#CUR"),
              formula("Total de incasat", 12, "={#LR}+{Total majorari}+{#CUR}")};
    s.footer = {"Primar,|Intocmit,", "[PRIMAR]|[OPERAT]"};
    simple("ListaDeInc", s);
}

void grad()
{
    ListSpec s;
    s.landscape = true;
    s.title = "GRADUL DE COLECTARE A IMPOZITELOR";
    s.subtitles = {"#LADATA"};
    Col pct = formula("Grad de colectare", 10,
                      "=IF({#MAT0}+{#DEBITE}-{#SCAZ}-{#BONIF}=0,0,{#INCAS}/({#MAT0}+{#DEBITE}-{#SCAZ}-{#BONIF}))");
    pct.formulaKind = Kind::Percent;
    pct.total = 'F';
    pct.totalFormula = pct.formula;
    s.cols = {nrcrt(), text("Grupa", 32, "#GRUPA"), center("Tip persoana", 11, "#TIP"),
              amount("Debit la 01.01 (matricola)", 12, "#MAT0"), amount("Borderouri de debit", 11, "#DEBITE"),
              amount("Borderouri de scadere", 11, "#SCAZ"), amount("Bonificatii acordate", 11, "#BONIF"),
              amount("Incasat", 11, "#INCAS"), formula("Ramas de incasat", 12, "={#MAT0}+{#DEBITE}-{#SCAZ}-{#BONIF}-{#INCAS}"),
              pct};
    s.footer = {"Intocmit,|Verificat,"};
    simple("Grad", s);
}

void bdbs()
{
    Book b(out + "/BDBS.xlsx");
    const char* sheets[] = {"Cumulat", "Debite", "Scaderi"};
    const char* subs[] = {"BORDEROURI DE DEBITE SI SCADERI CUMULATE", "BORDEROURI DE DEBITE", "BORDEROURI DE SCADERI"};
    for (int i = 0; i < 3; ++i) {
        ListSpec s;
        s.sheet = sheets[i];
        s.landscape = true;
        s.top = {"#PRIMARIA"};
        s.title = subs[i];
        s.subtitles = {"#PERIOADA"};
        s.cols = {nrcrt(), {"Borderou nr.", 8, "#NR", Kind::Int}, date("Data", "#DINDATA"), center("Nr. rol", 7, "#ROL"),
                  text("Nume si prenume / Denumire", 26, "#NUMEP"), text("Adresa", 26, "#ADRESA"),
                  grouped(amount("Debitat", 10, "#A1BD"), "Cont"), grouped(amount("Scazut", 10, "#A1BS"), "Cont"),
                  amount("TOTAL", 11, "#TOTAL")};
        lxw_worksheet* ws = b.sheet(sheets[i]);
        Layout l = listOn(b, ws, s, 0);
        if (l.headerFirst != 5)
            std::fprintf(stderr, "BDBS: group row %d\n", l.headerFirst + 1), std::exit(1);
    }
    save(b, "BDBS");
}

void amenzi()
{
    ListSpec s;
    s.landscape = true;
    s.title = "#LISTA";
    s.subtitles = {"#DATA"};
    s.cols = {nrcrt(), text("Titular", 24, "#NUMEP"), center("C.N.P. / C.U.I.", 14, "#CNP"), text("Localitatea", 13, "#SATUL"),
              text("Adresa", 24, "#ADRESA"), center("Nr. rol", 7, "#ROL"),
              grouped(text("Document", 20, "#DOCJUS"), "Document justificativ"),
              grouped({"Nr.", 8, "#NR", Kind::Int}, "Document justificativ"),
              grouped(date("Data", "#DINDATA"), "Document justificativ"), amount("Valoare (lei)", 10, "#VAL1"),
              amount("Sold (lei)", 10, "#SOLD1"), center("Achitat in 48 h", 8, "#A48")};
    s.footer = {"Intocmit,"};
    simple("Amenzi1", s);
}

void sitExec()
{
    ListSpec s;
    s.landscape = true;
    s.top = {"[UAT]"};
    s.title = "SITUATIA EXECUTARILOR SILITE";
    s.subtitles = {"#PERIOADA"};
    // Each document column counts its documents.
    auto number = [](const char* marker, const char* group) {
        Col c{"Nr.", 8, marker, Kind::Int};
        c.total = 'F';
        c.totalFormula = "=COUNT({" + std::string(marker) + "*})";
        c.group = group;
        return c;
    };
    s.cols = {nrcrt(), text("Contribuabilul", 28, "#NUMEP"), center("Nr. rol", 8, "#ROL"), number("#NRI", "Instiintari"),
              grouped(date("Data", "#DATAI"), "Instiintari"), number("#NRS", "Somatii"),
              grouped(date("Data", "#DATAS"), "Somatii"), number("#NRP", "Popriri"),
              grouped(date("Data", "#DATAP"), "Popriri"), text("Observatii", 24, "#OBS")};
    s.totalLabel = "Numar documente";
    s.footer = {"Intocmit,|Sef compartiment,"};
    simple("SitExec", s);
}

void bordRcInc()
{
    ListSpec s;
    s.landscape = true;
    s.top = {"#PRIMARIA"};
    s.title = "CENTRALIZATOR INCASARI PE DENUMIRE CONT";
    s.subtitles = {"#PERIOADA"};
    s.labels = {{"Casier:", "#CASIER", true}};
    s.cols = {nrcrt(), center("Nr. rol", 7, "#ROL"), text("Contribuabil", 22, "#NUMEP"), center("Tip doc.", 5, "#TIP"),
              center("Seria", 7, "#SERIA"), {"Nr.", 8, "#NR", Kind::Int}, date("Data", "#DATAI")};
    const char* groups[] = {"Impozit pe cladiri", "Impozit pe teren intravilan", "Impozit pe teren extravilan",
                            "Impozit pe mijloace de transport"};
    const char* heads[] = {"Ramasita", "Maj. ram.", "Curent", "Bonif.", "Maj. cur."};
    static std::vector<std::string> keep;
    keep.reserve(100);
    for (int g = 0; g < 4; ++g) {
        for (int p = 0; p < 2; ++p) {
            keep.push_back("[C" + std::to_string(2 * g + p + 1) + "]");
            const char* account = keep.back().c_str();
            for (int k = 0; k < 5; ++k) {
                keep.push_back("#C" + std::to_string(10 * g + 5 * p + k + 1));
                Col c = amount(heads[k], 7.5, keep.back().c_str());
                s.cols.push_back(grouped(c, account, groups[g]));
            }
        }
    }
    s.cols.push_back(amount("TOTAL", 10, "#TOTAL"));
    simple("BordRCInc", s);
}

void cci()
{
    ListSpec s;
    s.top = {"#PRIMARIA"};
    s.title = "CENTRALIZATOR CONTURI PE INCASATORI";
    s.subtitles = {"#perioada"};
    s.cols = {text("Grupa", 30, "#GRUPA"), center("Cont", 14, "#CODCLAS"), center("Tip pers.", 8, "#TIPF"),
              text("Incasator", 20, "#INCANUME"), amount("Total incasat (lei)", 13, "#TOTAL", false)};
    Book b(out + "/CCI.xlsx");
    lxw_worksheet* ws = b.sheet("Lista");
    s.total = false;
    Layout l = listOn(b, ws, s, 0);
    int r = l.dataRow + 1;
    merge(b, ws, r, 0, r, 3, "TOTAL GENERAL", "totlabel");
    worksheet_write_string(ws, lxw_row_t(r), 4, "#TOTG", b.f("totint"));
    worksheet_write_string(ws, lxw_row_t(r + 2), 1, "Contabil,", b.f("bold"));
    pageSetup(ws, false, l.headerFirst, l.headerLast, r + 2, 4);
    save(b, "CCI");
}

void modConTot()
{
    ListSpec s;
    s.top = {"#PRIMARIA"};
    s.title = "CENTRALIZATOR INCASARI PE CONTURI";
    s.subtitles = {"#PERIOADA"};
    s.cols = {nrcrt(), center("Cont", 16, "#CODCLAS"), amount("Curent", 10, "#CURENT"), amount("Bonificatii", 10, "#BONIF"),
              amount("Restante", 10, "#RESTANT"), amount("Majorari curente", 10, "#MAJORC"),
              amount("Majorari restante", 10, "#MAJORR"), amount("Total", 11, "#TOTAL")};
    s.footer = {"Contabil,", "#CONTABIL"};
    simple("ModConTot", s);
}

void chitRam()
{
    Book b(out + "/ChitRam.xlsx");
    const char* sheets[] = {"Incasari", "Compensari"};
    const char* titles[] = {"INCASARI DIN RAMASITE", "COMPENSARI DIN RAMASITE"};
    for (int i = 0; i < 2; ++i) {
        ListSpec s;
        s.sheet = sheets[i];
        s.landscape = true;
        s.top = {"#UAT"};
        s.title = titles[i];
        s.subtitles = {"#PERIOADA"};
        s.cols = {nrcrt(), text("Document", 11, "#DOCJUS"), {"Nr.", 8, "#NR", Kind::Int}, date("Data", "#DATAI"),
                  text("Localitatea", 14, "#SATUL"), center("Nr. rol", 7, "#ROL"), text("Grupa", 30, "#GRUPA"),
                  center("Tip pers.", 6, "#TIPF"), amount("Restanta (lei)", 11, "#RESTANTA"),
                  amount("Majorari restante (lei)", 11, "#MAJOREST")};
        listOn(b, b.sheet(sheets[i]), s, 0);
    }
    save(b, "ChitRam");
}

void cennc()
{
    ListSpec s;
    s.landscape = true;
    s.top = {"[UAT]"};
    s.title = "CENTRALIZATOR NOTE CONTABILE DE COMPENSARE";
    s.subtitles = {"[perioada]"};
    s.labels = {{"Operator:", "[OPERATOR]", true}};
    s.cols = {nrcrt(), date("Data", "#DATAI"), center("Seria", 7, "#SERIA"), {"Nr.", 8, "#NR", Kind::Int},
              center("Nr. rol", 7, "#ROL"), center("Tip", 4, "#TIPF"), text("Contribuabil", 24, "#NUMEP"),
              grouped(amount("Restanta", 8, "#REST1"), "Grupa - cont"), grouped(amount("Maj. rest.", 8, "#MAJR1"), "Grupa - cont"),
              grouped(amount("Depozit", 8, "#DEP1"), "Grupa - cont"), grouped(amount("Curent", 8, "#CURENT1"), "Grupa - cont"),
              grouped(amount("Majorari", 8, "#MAJOR1"), "Grupa - cont"), grouped(amount("Bonif.", 8, "#RED1"), "Grupa - cont")};
    s.footer = {"Intocmit,|Contabil,"};
    simple("CENNC", s);
}

void diferente()
{
    ListSpec s;
    s.landscape = true;
    s.title = "DIFERENTE INTRE SUPRAFETELE DE TEREN IMPOZITATE SI REGISTRUL AGRICOL";
    s.subtitles = {"[Data]"};
    s.cols = {nrcrt(), center("Nr. rol", 7, "#ROL"), text("Localitatea", 14, "#LOCALIT"), text("Nume si prenume", 28, "#NUMEP"),
              center("Incadrare", 10, "#TIP"), text("Categoria de folosinta", 26, "#CATEG"),
              grouped(area("Evidenta fiscala", 11, "#TSUP"), "Suprafata (ha)"),
              grouped(area("Registrul agricol", 11, "#RSUP"), "Suprafata (ha)"),
              grouped(area("Diferenta", 11, "#DIF"), "Suprafata (ha)")};
    s.footer = {"Intocmit,"};
    simple("Diferente", s);
}

// ---------------------------------------------------------------------------------------------------------
// Documents laid out by hand.

void notaPlata()
{
    Book b(out + "/NOTAPLATA.xlsx");
    lxw_worksheet* ws = b.sheet("Nota de plata");
    const double widths[] = {34, 17, 10, 10, 10, 11, 5};
    for (int c = 0; c < 7; ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    merge(b, ws, 0, 0, 0, 2, "[PRIMARIA]", "bold");
    merge(b, ws, 1, 0, 1, 2, "C.U.I.: [CUI]", "text");
    merge(b, ws, 2, 0, 2, 2, "Localitatea: [AdresaPrim]", "text");
    merge(b, ws, 4, 0, 4, 5, "NOTA DE PLATA", "title");
    merge(b, ws, 5, 0, 5, 5, "[NRDATA]", "subtitle");
    merge(b, ws, 7, 0, 7, 5, "Contribuabil: [NUMEP]", "bold");
    merge(b, ws, 8, 0, 8, 5, "Rol nr.: [ROL]", "text");
    merge(b, ws, 9, 0, 9, 5, "Adresa: [Adresa]", "text");
    merge(b, ws, 11, 0, 11, 5,
          "Va comunicam ca, potrivit evidentelor fiscale, figurati cu urmatoarele obligatii de plata catre bugetul local:",
          "wrap");
    worksheet_set_row(ws, 11, 26, nullptr);
    const char* heads[] = {"Denumirea impozitului / taxei", "Cont bugetar", "Ramasita (lei)", "Curent (lei)",
                           "Majorari (lei)", "Total de plata (lei)"};
    for (int c = 0; c < 6; ++c)
        worksheet_write_string(ws, 13, lxw_col_t(c), heads[c], b.f("head"));
    worksheet_set_row(ws, 13, 26, nullptr);
    worksheet_write_string(ws, 14, 0, "#DENUM", b.f("cell"));
    worksheet_write_string(ws, 14, 1, "#CONT", b.f("cellc"));
    worksheet_write_string(ws, 14, 2, "#REST", b.f("int"));
    worksheet_write_string(ws, 14, 3, "#CURENT", b.f("int"));
    worksheet_write_string(ws, 14, 4, "#PENAL", b.f("int"));
    worksheet_write_formula(ws, 14, 5, "=SUM(C15:E15)", b.f("int"));
    worksheet_write_string(ws, 14, 6, "#DBF", b.f("dbf"));
    merge(b, ws, 15, 0, 15, 1, "TOTAL DE PLATA", "totlabel");
    for (int c = 2; c < 6; ++c) {
        std::string f = "=SUM(" + col(c) + "14:" + col(c) + "15)";
        worksheet_write_formula(ws, 15, lxw_col_t(c), f.c_str(), b.f("totint"));
    }
    merge(b, ws, 17, 0, 17, 5,
          "Suma se poate achita la casieria primariei sau prin virament bancar in conturile bugetare de mai sus. "
          "Termenele de plata sunt 31 martie si 30 septembrie; pentru sumele neachitate la termen se datoreaza "
          "majorari de intarziere potrivit Codului de procedura fiscala.",
          "wrap");
    worksheet_set_row(ws, 17, 38, nullptr);
    worksheet_write_string(ws, 19, 0, "Intocmit,", b.f("bold"));
    worksheet_write_string(ws, 19, 3, "Sef compartiment,", b.f("bold"));
    worksheet_write_string(ws, 20, 0, "[USER]", b.f("text"));
    merge(b, ws, 22, 0, 22, 5,
          "- - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - -",
          "small");
    merge(b, ws, 23, 0, 23, 5, "DOVADA DE PRIMIRE", "subtitle");
    merge(b, ws, 24, 0, 24, 5, "Am primit Nota de plata [NRDATA]", "text");
    merge(b, ws, 25, 0, 25, 5, "Numele si prenumele primitorului ..........................................................", "text");
    merge(b, ws, 26, 0, 26, 5, "Data primirii ............................          Semnatura ............................", "text");
    worksheet_set_paper(ws, 9);
    worksheet_set_margins(ws, 0.6, 0.4, 0.5, 0.5);
    worksheet_fit_to_pages(ws, 1, 0);
    worksheet_center_horizontally(ws);
    worksheet_print_area(ws, 0, 0, 26, 5);
    save(b, "NOTAPLATA");
}

void formular1()
{
    Book b(out + "/Formular1.xlsx");
    lxw_worksheet* ws = b.sheet("Instiintare");
    const double widths[] = {6, 34, 17, 11, 11, 12, 5};
    for (int c = 0; c < 7; ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    merge(b, ws, 0, 0, 0, 2, "Judetul [Jud]", "bold");
    merge(b, ws, 1, 0, 1, 2, "[Primaria]", "bold");
    merge(b, ws, 2, 0, 2, 2, "C.U.I. [CUI]", "text");
    merge(b, ws, 3, 0, 3, 2, "Localitatea [AdresaPrim]", "text");
    merge(b, ws, 5, 0, 5, 5, "INSTIINTARE DE PLATA", "title");
    merge(b, ws, 6, 0, 6, 5, "[NRDATA]", "subtitle");
    merge(b, ws, 8, 0, 8, 5, "Catre: [NumeP]", "bold");
    merge(b, ws, 9, 0, 9, 5, "Adresa: [Adresa]", "text");
    merge(b, ws, 10, 0, 10, 5, "Rol nr.: [ROL]", "text");
    merge(b, ws, 12, 0, 12, 5,
          "In temeiul prevederilor Legii nr. 207/2015 privind Codul de procedura fiscala, va instiintam ca in evidentele "
          "fiscale ale [Adresaprim] figurati cu urmatoarele obligatii de plata neachitate:",
          "wrap");
    worksheet_set_row(ws, 12, 38, nullptr);
    const char* heads[] = {"Nr. crt.", "Denumirea obligatiei de plata", "Cont bugetar", "Debit (lei)", "Majorari (lei)",
                           "Total (lei)"};
    for (int c = 0; c < 6; ++c)
        worksheet_write_string(ws, 14, lxw_col_t(c), heads[c], b.f("head"));
    worksheet_set_row(ws, 14, 26, nullptr);
    worksheet_write_string(ws, 15, 0, "%NRCRT", b.f("cellc"));
    worksheet_write_string(ws, 15, 1, "#DENUM", b.f("cell"));
    worksheet_write_string(ws, 15, 2, "#CONT", b.f("cellc"));
    worksheet_write_string(ws, 15, 3, "#DEBIT", b.f("int"));
    worksheet_write_string(ws, 15, 4, "#PENAL", b.f("int"));
    worksheet_write_formula(ws, 15, 5, "=D16+E16", b.f("int"));
    worksheet_write_string(ws, 15, 6, "#DBF", b.f("dbf"));
    merge(b, ws, 16, 0, 16, 2, "TOTAL", "totlabel");
    for (int c = 3; c < 6; ++c) {
        std::string f = "=SUM(" + col(c) + "15:" + col(c) + "16)";
        worksheet_write_formula(ws, 16, lxw_col_t(c), f.c_str(), b.f("totint"));
    }
    merge(b, ws, 18, 0, 18, 5,
          "Va rugam sa achitati sumele datorate in termen de 15 zile de la primirea prezentei, la casieria primariei sau "
          "prin virament in conturile de mai sus. In caz contrar se vor aplica masurile de executare silita prevazute de lege.",
          "wrap");
    worksheet_set_row(ws, 18, 38, nullptr);
    worksheet_write_string(ws, 20, 1, "Intocmit,", b.f("bold"));
    worksheet_write_string(ws, 20, 3, "Conducatorul compartimentului,", b.f("bold"));
    worksheet_write_string(ws, 21, 1, "[USER]", b.f("text"));
    worksheet_set_paper(ws, 9);
    worksheet_set_margins(ws, 0.6, 0.4, 0.5, 0.5);
    worksheet_fit_to_pages(ws, 1, 0);
    worksheet_center_horizontally(ws);
    worksheet_print_area(ws, 0, 0, 21, 5);
    save(b, "Formular1");
}

void regCasa()
{
    Book b(out + "/RegCasa.xlsx");
    lxw_worksheet* ws = b.sheet("Registru de casa");
    const double widths[] = {6, 9, 8, 40, 12, 12, 8, 12};
    for (int c = 0; c < 8; ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    merge(b, ws, 0, 0, 0, 3, "#PRIMARIA", "bold");
    worksheet_write_string(ws, 0, 5, "Casier:", b.f("boldright"));
    merge(b, ws, 0, 6, 0, 7, "#CASIER", "text");
    merge(b, ws, 1, 0, 1, 7, "REGISTRU DE CASA", "title");
    worksheet_write_string(ws, 2, 1, "Ziua:", b.f("boldright"));
    worksheet_write_string(ws, 2, 2, "#ZZ", b.f("center"));
    worksheet_write_string(ws, 2, 3, "Luna:", b.f("boldright"));
    worksheet_write_string(ws, 2, 4, "#LL", b.f("center"));
    worksheet_write_string(ws, 2, 5, "Anul:", b.f("boldright"));
    worksheet_write_string(ws, 2, 6, "#AA", b.f("center"));
    merge(b, ws, 3, 3, 3, 6, "Sold precedent (report):", "boldright");
    worksheet_write_string(ws, 3, 7, "#SOLDINI", b.f("int"));
    const char* heads[] = {"Nr. crt.", "Nr. act casa", "Nr. anexa", "Explicatii", "Incasari", "Plati", "Cont", "Sold"};
    for (int c = 0; c < 8; ++c)
        worksheet_write_string(ws, 4, lxw_col_t(c), heads[c], b.f("head"));
    worksheet_set_row(ws, 4, 26, nullptr);
    const char* line[] = {"cellc", "cellc", "cellc", "cell", "int", "int", "cellc", "int"};
    for (int c = 0; c < 8; ++c)
        worksheet_write_blank(ws, 5, lxw_col_t(c), b.f(line[c]));
    merge(b, ws, 6, 0, 6, 3, "TOTAL", "totlabel");
    worksheet_write_formula(ws, 6, 4, "=SUM(E5:E6)", b.f("totint"));
    worksheet_write_formula(ws, 6, 5, "=SUM(F5:F6)", b.f("totint"));
    worksheet_write_blank(ws, 6, 6, b.f("tot"));
    worksheet_write_blank(ws, 6, 7, b.f("tot"));
    merge(b, ws, 7, 0, 7, 6, "Sold final", "totlabel");
    worksheet_write_formula(ws, 7, 7, "=H4+E7-F7", b.f("totint"));
    worksheet_write_string(ws, 9, 1, "Casier,", b.f("bold"));
    worksheet_write_string(ws, 9, 4, "Contabil,", b.f("bold"));
    worksheet_write_string(ws, 10, 1, "#CASIER", b.f("text"));
    worksheet_write_string(ws, 10, 4, "#CONTABIL", b.f("text"));
    pageSetup(ws, false, 4, 4, 10, 7);
    save(b, "RegCasa");
}

void notaServ()
{
    Book b(out + "/NotaServ.xlsx");
    lxw_worksheet* ws = b.sheet("Nota de serviciu");
    worksheet_set_column(ws, 0, 0, 4, nullptr);
    worksheet_set_column(ws, 1, 1, 44, nullptr);
    worksheet_set_column(ws, 2, 2, 16, nullptr);
    worksheet_set_column(ws, 3, 3, 20, nullptr);
    merge(b, ws, 0, 0, 0, 2, "[UAT]", "bold");
    merge(b, ws, 2, 0, 2, 3, "NOTA DE SERVICIU", "title");
    merge(b, ws, 4, 0, 4, 3,
          "Subsemnatul(a) [OPERAT], casier in cadrul compartimentului de impozite si taxe locale, va aduc la "
          "cunostinta ca in perioada [PERIOADA] am incasat urmatoarele sume:",
          "wrap");
    worksheet_set_row(ws, 4, 40, nullptr);
    worksheet_write_string(ws, 6, 1, "Felul incasarii", b.f("head"));
    worksheet_write_string(ws, 6, 2, "Suma (lei)", b.f("head"));
    const char* rows[] = {"Impozite si taxe - an curent", "Restante din anii precedenti", "Majorari de intarziere"};
    const char* keys[] = {"#CURENT", "#RESTANTA", "#PENAL"};
    for (int i = 0; i < 3; ++i) {
        worksheet_write_string(ws, lxw_row_t(7 + i), 1, rows[i], b.f("cell"));
        worksheet_write_string(ws, lxw_row_t(7 + i), 2, keys[i], b.f("int"));
    }
    worksheet_write_string(ws, 10, 1, "TOTAL INCASAT", b.f("totlabel"));
    worksheet_write_formula(ws, 10, 2, "=SUM(C8:C10)", b.f("totint"));
    worksheet_write_string(ws, 11, 1, "Numar de chitante eliberate", b.f("cell"));
    worksheet_write_string(ws, 11, 2, "#NRCHIT", b.f("int"));
    worksheet_write_string(ws, 14, 1, "Data ....................", b.f("text"));
    worksheet_write_string(ws, 14, 3, "Casier,", b.f("bold"));
    worksheet_write_string(ws, 15, 3, "[OPERAT]", b.f("text"));
    pageSetup(ws, false, -1, -1, 15, 3);
    save(b, "NotaServ");
}

void calcul(const char* name, const char* title, int columns, const std::vector<std::string>& rows, const char* key,
            int firstRow)
{
    Book b(out + "/" + name + ".xlsx");
    lxw_worksheet* ws = b.sheet(name);
    const int last = 2 * columns + 1; // 0-based: area in 2x-1, rate in 2x, tax after
    worksheet_set_column(ws, 0, 0, 34, nullptr);
    worksheet_set_column(ws, 1, lxw_col_t(2 * columns), 9, nullptr);
    worksheet_set_column(ws, lxw_col_t(last), lxw_col_t(last), 12, nullptr);
    merge(b, ws, 0, 0, 0, last, title, "title");
    merge(b, ws, 2, 0, 2, last, "Contribuabil: [NUME]", "bold");
    merge(b, ws, 3, 0, 3, last, "Localitatea: [LOC]", "text");
    merge(b, ws, 4, 0, 4, last, "Rol nr.: [ROL]", "text");
    merge(b, ws, 6, 0, 7, 0, "Categoria de folosinta", "head");
    for (int x = 1; x <= columns; ++x) {
        std::string heading = "[" + std::string(key) + std::to_string(x) + "]";
        merge(b, ws, 6, 2 * x - 1, 6, 2 * x, heading, "head");
        worksheet_write_string(ws, 7, lxw_col_t(2 * x - 1), "Suprafata", b.f("head"));
        worksheet_write_string(ws, 7, lxw_col_t(2 * x), "Nivel impozit", b.f("head"));
    }
    merge(b, ws, 6, last, 7, last, "Impozit calculat (lei)", "head");
    worksheet_set_row(ws, 7, 24, nullptr);
    for (size_t i = 0; i < rows.size(); ++i) {
        lxw_row_t r = lxw_row_t(firstRow + int(i));
        worksheet_write_string(ws, r, 0, rows[i].c_str(), b.f("cell"));
        std::string f = "=";
        for (int x = 1; x <= columns; ++x) {
            worksheet_write_blank(ws, r, lxw_col_t(2 * x - 1), b.f("area4"));
            worksheet_write_blank(ws, r, lxw_col_t(2 * x), b.f("area2"));
            if (x > 1)
                f += "+";
            f += cell(int(r), 2 * x - 1) + "*" + cell(int(r), 2 * x);
        }
        worksheet_write_formula(ws, r, lxw_col_t(last), f.c_str(), b.f("area2"));
    }
    lxw_row_t tot = lxw_row_t(firstRow + int(rows.size()));
    worksheet_write_string(ws, tot, 0, "TOTAL", b.f("totlabel"));
    for (int c = 1; c < last; ++c)
        worksheet_write_blank(ws, tot, lxw_col_t(c), b.f("tot"));
    std::string sum = "=SUM(" + cell(firstRow, last) + ":" + cell(int(tot) - 1, last) + ")";
    worksheet_write_formula(ws, tot, lxw_col_t(last), sum.c_str(), b.f("totarea2"));
    merge(b, ws, int(tot) + 2, 0, int(tot) + 2, last,
          "Impozitul pe fiecare categorie se rotunjeste la leu (0,50 lei si peste se rotunjesc in sus).", "small");
    pageSetup(ws, true, -1, -1, int(tot) + 2, last);
    save(b, name);
}

void fisaCalcAuto()
{
    Book b(out + "/FisaCalcAuto.xlsx");
    lxw_worksheet* ws = b.sheet("Fisa de calcul");
    const double widths[] = {30, 14, 18, 14, 14, 5};
    for (int c = 0; c < 6; ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    merge(b, ws, 0, 0, 0, 2, "[UAT]", "bold");
    merge(b, ws, 2, 0, 2, 4, "FISA DE CALCUL - IMPOZIT PE MIJLOACELE DE TRANSPORT", "title");
    merge(b, ws, 3, 0, 3, 4, "Anul fiscal [ANUL]", "subtitle");
    merge(b, ws, 5, 0, 5, 4, "Contribuabil: [NUMEP]", "bold");
    merge(b, ws, 6, 0, 6, 4, "Rol nr.: [ROL]", "text");
    merge(b, ws, 8, 0, 8, 4, "Mijloace de transport detinute la 1 ianuarie", "bold");
    const char* h1[] = {"Nr. inmatriculare", "Tip", "Marca", "Capacitate (cmc)", "Masa totala (t)"};
    for (int c = 0; c < 5; ++c)
        worksheet_write_string(ws, 9, lxw_col_t(c), h1[c], b.f("head"));
    worksheet_write_string(ws, 10, 0, "#NRDOS", b.f("cellc"));
    worksheet_write_string(ws, 10, 1, "#TipAuto", b.f("cellc"));
    worksheet_write_string(ws, 10, 2, "#MARCA", b.f("cell"));
    worksheet_write_string(ws, 10, 3, "#Capacit", b.f("int"));
    worksheet_write_string(ws, 10, 4, "#TONAJ", b.f("area2"));
    worksheet_write_string(ws, 10, 5, "#DBF", b.f("dbf"));
    merge(b, ws, 12, 0, 12, 4, "Calculul impozitului", "bold");
    merge(b, ws, 13, 0, 13, 2, "Categoria", "head");
    worksheet_write_string(ws, 13, 3, "Cantitate", b.f("head"));
    worksheet_write_string(ws, 13, 4, "Impozit (lei)", b.f("head"));
    merge(b, ws, 14, 0, 14, 2, "#DENUM", "cellwrap");
    worksheet_write_string(ws, 14, 3, "#CANT", b.f("area4"));
    worksheet_write_string(ws, 14, 4, "#SUMA2", b.f("int"));
    worksheet_write_string(ws, 14, 5, "#DBF", b.f("dbf"));
    merge(b, ws, 15, 0, 15, 3, "TOTAL IMPOZIT", "totlabel");
    worksheet_write_formula(ws, 15, 4, "=SUM(E14:E15)", b.f("totint"));
    worksheet_write_string(ws, 17, 0, "Intocmit,", b.f("bold"));
    pageSetup(ws, false, -1, -1, 17, 4);
    save(b, "FisaCalcAuto");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    out = argv[1];
    notaPlata();
    formular1();
    borderou("BordIns", "Note de plata");
    borderou("BordSom", "Somatii si titluri executorii");
    listPlat();
    regCasa();
    listaPers();
    nrPers();
    listaAuto();
    scutiri();
    te();
    pazaPsi();
    cenRes();
    peste12();
    sAnalitica();
    partizi();
    neCladiri();
    rmTeren();
    rmCladiri();
    rmAuto();
    matricTot();
    modelRam();
    deIncasat();
    listaDeInc();
    grad();
    bdbs();
    amenzi();
    sitExec();
    bordRcInc();
    cci();
    modConTot();
    chitRam();
    cennc();
    notaServ();
    calcul("CalculTI", "FISA DE CALCUL - IMPOZIT PE TEREN INTRAVILAN", 6,
           {"Curti constructii (mp; lei/mp)", "Teren arabil", "Pasune", "Faneata", "Vie", "Livada", "Neproductiv", "Padure",
            "Teren cu ape"},
           "I", 8);
    calcul("CalculTE", "FISA DE CALCUL - IMPOZIT PE TEREN EXTRAVILAN", 5,
           {"Teren arabil", "Pasuni - fanete", "Vie pe rod", "Vie pana la intrarea pe rod", "Livada pe rod",
            "Livada pana la intrarea pe rod", "Fond forestier sau alt teren cu vegetatie forestiera", "Teren de constructii",
            "Teren neproductiv", "Teren cu apa, fara amenajari piscicole", "Teren cu amenajari piscicole"},
           "E", 8);
    fisaCalcAuto();
    diferente();
    return 0;
}
