#pragma once

#include "update/catalogue/string_object.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace akt {

// One line of the script list: what the user sees, whether the script has been processed, and
// the path object that tells the run which file to load.
class ScriptEntry {
public:
    const QString& displayText() const { return text_; }
    bool checked() const { return checked_; }
    // Null until an object has been attached.
    TstringObject* object() const { return object_.get(); }

private:
    friend class ScriptList;

    QString text_;
    bool checked_ = false;
    std::unique_ptr<TstringObject> object_;
};

// What a change listener is told: one entry changed where it stands (its mark, its object, or a
// text that left it in place), or the list as a whole changed (entries added or removed, order).
struct ScriptListChange {
    enum class Scope { Row, All };

    static ScriptListChange oneRow(int row) { return {Scope::Row, row}; }
    static ScriptListChange everything() { return {Scope::All, -1}; }
    bool operator==(const ScriptListChange& other) const { return scope == other.scope && row == other.row; }

    Scope scope;
    int row; // the changed entry's index for Scope::Row, -1 for Scope::All
};

// One entry for ScriptList::appendAll.
struct NewScriptEntry {
    QString text;
    std::unique_ptr<TstringObject> object;
};

// The script list as the run sees it: always sorted by display text with the locale's
// case-insensitive collation, equal texts in the order they were placed. The position in this
// list is the run order, so a changed display text moves its entry at once. The window's widget
// only mirrors this model; it learns of every change through the change listener.
class ScriptList {
public:
    // The C locale orders as a language-neutral linguistic locale does.
    explicit ScriptList(const QLocale& locale = QLocale());

    ScriptList(const ScriptList&) = delete;
    ScriptList& operator=(const ScriptList&) = delete;

    void clear();
    // Appends an entry with an empty display text (so it sorts to the front until its text is
    // set). The reference stays valid until the entry is removed, wherever sorting moves it.
    ScriptEntry& append();
    int count() const { return static_cast<int>(entries_.size()); }
    ScriptEntry& entry(int index) { return *entries_.at(static_cast<size_t>(index)); }
    const ScriptEntry& entry(int index) const { return *entries_.at(static_cast<size_t>(index)); }
    // -1 when the entry is not in this list.
    int indexOf(const ScriptEntry& entry) const;

    void setDisplayText(ScriptEntry& entry, const QString& text);
    void setChecked(ScriptEntry& entry, bool checked);
    void attachObject(ScriptEntry& entry, std::unique_ptr<TstringObject> object);

    // Adds the entries, marks clear, each where append() and then setDisplayText() would have put
    // it: after every entry whose text does not sort behind it, so equal texts keep the order given
    // here, behind those already listed. One sort and one merge, and one notification, instead of
    // a move and a notification per entry.
    void appendAll(std::vector<NewScriptEntry> added);

    // Called after every change of the entries, their order, texts, marks or objects, with what
    // changed. A listener may read the list but not change it.
    using ChangeListener = std::function<void(const ScriptListChange&)>;
    void setChangeListener(ChangeListener listener) { changed_ = std::move(listener); }

private:
    // The list's order: display texts by the collator.
    bool sortsBefore(const ScriptEntry& a, const ScriptEntry& b) const;
    // Returns the index the entry went to.
    int insertSorted(std::unique_ptr<ScriptEntry> entry);
    void notify(const ScriptListChange& change) const;

    QCollator collator_;
    std::vector<std::unique_ptr<ScriptEntry>> entries_;
    ChangeListener changed_;
    // Where indexOf starts looking; any value is correct.
    mutable std::size_t lastFound_ = 0;
};

} // namespace akt
