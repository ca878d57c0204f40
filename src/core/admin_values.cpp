#include "core/admin_values.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace lirma::core {

namespace {
QString keyOf(const QString& name)
{
    return name.toUpper();
}
} // namespace

AdminValues::AdminValues()
{
    for (const AdminPageDef& page : AdminPages())
        for (const AdminInput& in : page.inputs) {
            Entry e;
            e.def = &in;
            index_.insert(keyOf(in.name), int(entries_.size()));
            entries_.push_back(std::move(e));
        }
    resetToDesign();
}

AdminValues::~AdminValues()
{
    for (Entry& e : entries_)
        QObject::disconnect(e.connection);
}

int AdminValues::find(const QString& name) const
{
    return index_.value(keyOf(name), -1);
}

const AdminInput* AdminValues::input(const QString& name) const
{
    const int i = find(name);
    return i < 0 ? nullptr : entries_[size_t(i)].def;
}

QStringList AdminValues::names() const
{
    QStringList list;
    for (const Entry& e : entries_)
        list.push_back(e.def->name);
    return list;
}

QString AdminValues::text(const QString& name) const
{
    const int i = find(name);
    if (i < 0)
        return {};
    const Entry& e = entries_[size_t(i)];
    if (e.def->kind == InputKind::Check)
        return e.checked ? QStringLiteral("DA") : QStringLiteral("NU");
    return e.text;
}

std::optional<base::Decimal> AdminValues::number(const QString& name) const
{
    const int i = find(name);
    if (i < 0)
        return std::nullopt;
    return base::Decimal::parse(QStringView(entries_[size_t(i)].text));
}

bool AdminValues::isChecked(const QString& name) const
{
    const int i = find(name);
    return i >= 0 && entries_[size_t(i)].checked;
}

void AdminValues::store(Entry& e, const QString& text)
{
    switch (e.def->kind) {
    case InputKind::Text: e.text = text.left(e.def->maxLength); break;
    case InputKind::Number: e.text = text.trimmed(); break;
    case InputKind::List:
        e.text = text;
        if (!text.isEmpty() && !e.entries.contains(text))
            e.entries.push_back(text);
        break;
    case InputKind::Check: break;
    }
}

bool AdminValues::setText(const QString& name, const QString& text)
{
    const int i = find(name);
    if (i < 0)
        return false;
    Entry& e = entries_[size_t(i)];
    if (e.def->kind == InputKind::Check)
        return false;
    store(e, text);
    push(e);
    return true;
}

bool AdminValues::setChecked(const QString& name, bool checked)
{
    const int i = find(name);
    if (i < 0)
        return false;
    Entry& e = entries_[size_t(i)];
    if (e.def->kind != InputKind::Check)
        return false;
    e.checked = checked;
    push(e);
    return true;
}

QStringList AdminValues::entries(const QString& name) const
{
    const int i = find(name);
    return i < 0 ? QStringList() : entries_[size_t(i)].entries;
}

bool AdminValues::isReadOnly(const QString& name) const
{
    const AdminInput* in = input(name);
    return in && in->level && !unlocked_[static_cast<int>(in->page)];
}

void AdminValues::setPageUnlocked(AdminPage page, bool unlocked)
{
    unlocked_[static_cast<int>(page)] = unlocked;
    for (Entry& e : entries_)
        if (e.def->page == page)
            pushReadOnly(e);
}

bool AdminValues::isPageUnlocked(AdminPage page) const
{
    return unlocked_[static_cast<int>(page)];
}

void AdminValues::lockAll()
{
    for (bool& u : unlocked_)
        u = false;
    for (Entry& e : entries_)
        pushReadOnly(e);
}

void AdminValues::resetToDesign()
{
    for (Entry& e : entries_) {
        e.entries = e.def->entries;
        e.checked = e.def->kind == InputKind::Check && e.def->design == u"DA";
        e.text.clear();
        if (e.def->kind != InputKind::Check)
            store(e, e.def->design);
        push(e);
    }
}

void AdminValues::markLoaded()
{
    for (Entry& e : entries_)
        e.loaded = e.def->kind == InputKind::Check ? (e.checked ? QStringLiteral("DA") : QStringLiteral("NU")) : e.text;
}

QString AdminValues::loadedText(const QString& name) const
{
    const int i = find(name);
    return i < 0 ? QString() : entries_[size_t(i)].loaded;
}

void AdminValues::push(Entry& e)
{
    QWidget* w = e.widget;
    if (!w)
        return;
    pushing_ = true;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() != e.text)
            edit->setText(e.text);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown.push_back(combo->itemText(i));
        if (shown != e.entries) {
            combo->clear();
            combo->addItems(e.entries);
        }
        combo->setCurrentIndex(e.entries.indexOf(e.text));
    } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
        box->setChecked(e.checked);
    }
    pushing_ = false;
}

void AdminValues::pushReadOnly(Entry& e)
{
    if (auto* edit = qobject_cast<QLineEdit*>(e.widget.data())) {
        const bool readOnly = e.def->level && !unlocked_[static_cast<int>(e.def->page)];
        edit->setReadOnly(readOnly);
    }
}

bool AdminValues::bind(QWidget* widget)
{
    if (!widget)
        return false;
    const int i = find(widget->objectName());
    if (i < 0)
        return false;
    Entry& e = entries_[size_t(i)];
    const size_t at = size_t(i);
    QMetaObject::Connection connection;
    switch (e.def->kind) {
    case InputKind::Text:
    case InputKind::Number: {
        auto* edit = qobject_cast<QLineEdit*>(widget);
        if (!edit)
            return false;
        edit->setMaxLength(e.def->maxLength);
        connection = QObject::connect(edit, &QLineEdit::textChanged, edit, [this, at](const QString& text) {
            if (!pushing_)
                store(entries_[at], text);
        });
        break;
    }
    case InputKind::List: {
        auto* combo = qobject_cast<QComboBox*>(widget);
        if (!combo)
            return false;
        connection = QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [this, at, combo](int index) {
            if (!pushing_ && index >= 0)
                entries_[at].text = combo->itemText(index);
        });
        break;
    }
    case InputKind::Check: {
        auto* box = qobject_cast<QCheckBox*>(widget);
        if (!box)
            return false;
        connection = QObject::connect(box, &QCheckBox::toggled, box, [this, at](bool on) {
            if (!pushing_)
                entries_[at].checked = on;
        });
        break;
    }
    }
    QObject::disconnect(e.connection);
    e.connection = connection;
    e.widget = widget;
    push(e);
    pushReadOnly(e);
    return true;
}

QWidget* AdminValues::widget(const QString& name) const
{
    const int i = find(name);
    return i < 0 ? nullptr : entries_[size_t(i)].widget.data();
}

AdminValues& AdminStore()
{
    static AdminValues values;
    return values;
}

} // namespace lirma::core
