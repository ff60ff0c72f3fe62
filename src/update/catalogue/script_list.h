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

    // Called after every change of the entries, their order, texts, marks or objects.
    void setChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

private:
    void insertSorted(std::unique_ptr<ScriptEntry> entry);
    void notify() const;

    QCollator collator_;
    std::vector<std::unique_ptr<ScriptEntry>> entries_;
    std::function<void()> changed_;
};

} // namespace akt
