// TRTFReplace: fills an RTF template with bracketed placeholders and writes a new RTF document.
//
// The engine never parses RTF: it works line by line on the template bytes (line ends CR LF, LF or CR;
// the output always CR LF). The header is everything before the first line holding "\pard"; the body
// runs from there to the line that closes the document group, found by counting braces.
//
// Two ways to make a document:
//  - record mode: NewDestination or setRTFDest, BeginDocument, then per record PageBreak (not before the
//    first), AddPair for every key, WriteBody; EndDocument; optionally SaveAsPdf; OpenDocument.
//  - whole-template mode: BeginDocument, AddPair for every key, ReplaceFromMarker("JUDE"), EndDocument,
//    OpenDocument.
//
// Values are given as text and written as Windows-1250 bytes (s and t with comma below become their
// cedilla forms). When BeginDocument fails, every later writing operation does nothing and returns false
// until a BeginDocument succeeds, so a caller can test the result before it records anything.
#pragma once

#include "platform/office/pdf_conversion.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

class QObject;

namespace lirma::documents {

class TRTFReplace {
public:
    TRTFReplace() = default;

    // Full path of the template.
    const QString& RTFSursa() const { return sursa_; }
    void setRTFSursa(const QString& path) { sursa_ = path; }
    // Full path of the output.
    const QString& RTFDest() const { return dest_; }
    void setRTFDest(const QString& path) { dest_ = path; }

    // RTFDest := prefix + N + ".rtf" for the smallest N in 0..99 whose file is missing, or is not open
    // in the office program and can be deleted (it is deleted). False, RTFDest unchanged, when none is.
    bool NewDestination(const QString& prefix);

    // Creates (overwrites) RTFDest with the template header. False when the template is missing, empty
    // or holds no "\pard", or when RTFDest cannot be written or is open in the office program.
    bool BeginDocument();

    // Adds a placeholder (brackets included) and its value. In the value "{" and "}" become "(" and ")",
    // "\" becomes "\\", and the bytes of capital S and T with cedilla become "\'aa" and "\'de".
    void AddPair(const QString& key, const QString& value);

    // Appends one filled copy of the template body; then ClearPairs.
    bool WriteBody();
    // Appends " \par \page "; then ClearPairs.
    bool PageBreak();
    // Rewrites RTFDest from the whole template: lines before the first one holding `marker` unchanged,
    // the rest with every pair applied; then ClearPairs.
    bool ReplaceFromMarker(const QString& marker);
    // Appends the line "}"; then ClearPairs.
    bool EndDocument();

    // Converts RTFDest to PDF beside it, blocking; on success deletes the RTF and RTFDest becomes the PDF.
    bool SaveAsPdf(const office::ConversionOptions& options = {});
    // The same without blocking: `done` runs from the event loop with the outcome. The engine must live
    // until then (the window that owns it is the usual `context`); destroying `context` cancels the report.
    void SaveAsPdfAsync(QObject* context, std::function<void(bool converted)> done,
                        const office::ConversionOptions& options = {});

    // Opens RTFDest in the desktop's program for it (through the interaction service) when it is a full
    // path of an existing file. False when nothing was opened.
    bool OpenDocument();

    void ClearPairs();

    // True between a successful BeginDocument and the next failure.
    bool ready() const { return ready_; }
    // The pairs as they will be applied (Windows-1250 bytes, values escaped).
    const std::vector<QByteArray>& keys() const { return keys_; }
    const std::vector<QByteArray>& values() const { return values_; }

    // The bytes AddPair stores for a value.
    static QByteArray EscapeValue(const QString& value);

private:
    bool loadTemplate();
    bool append(const QByteArray& bytes);
    // Writes `line` filled, and again while a run of equal keys is being served.
    void emitLine(const QByteArray& line, QByteArray& out);
    QByteArray fillLine(QByteArray line);
    QByteArray replaceAll(const QByteArray& line) const;
    bool fail();

    QString sursa_;
    QString dest_;
    std::vector<QByteArray> keys_;
    std::vector<QByteArray> values_;
    int cursor_ = -1; // repetition cursor; -1 = none
    bool ready_ = false;

    // The template as read by the last BeginDocument.
    QString loadedPath_;
    std::vector<QByteArray> lines_;
};

} // namespace lirma::documents
