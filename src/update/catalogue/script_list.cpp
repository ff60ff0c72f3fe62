#include "update/catalogue/script_list.h"

#include <algorithm>
#include <iterator>

namespace akt {

namespace {

// The C locale would compare code points and put every Polish letter after z. Machines without a
// configured locale (services, installers, CI) get the language-neutral linguistic order instead,
// as Windows gives for any locale.
QLocale collationLocale(const QLocale& locale) {
    return locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : locale;
}

} // namespace

ScriptList::ScriptList(const QLocale& locale) : collator_(collationLocale(locale)) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
    // Names are compared character by character: 10_A sorts before 9_A, as the user sees them.
    collator_.setNumericMode(false);
    collator_.setIgnorePunctuation(false);
}

void ScriptList::clear() {
    entries_.clear();
    notify(ScriptListChange::everything());
}

ScriptEntry& ScriptList::append() {
    auto owned = std::make_unique<ScriptEntry>();
    ScriptEntry& entry = *owned;
    insertSorted(std::move(owned));
    notify(ScriptListChange::everything());
    return entry;
}

int ScriptList::indexOf(const ScriptEntry& entry) const {
    // A run marks its entries in list order: looking on from the last one found makes each search a
    // step or two instead of a walk through thousands of scripts.
    const std::size_t size = entries_.size();
    for (std::size_t step = 0; step < size; ++step) {
        const std::size_t index = (lastFound_ + step) % size;
        if (entries_[index].get() == &entry) {
            lastFound_ = index;
            return static_cast<int>(index);
        }
    }
    return -1;
}

void ScriptList::setDisplayText(ScriptEntry& entry, const QString& text) {
    const int index = indexOf(entry);
    if (index < 0)
        return;
    auto position = entries_.begin() + index;
    std::unique_ptr<ScriptEntry> owned = std::move(*position);
    entries_.erase(position);
    owned->text_ = text;
    const int newIndex = insertSorted(std::move(owned));
    notify(newIndex == index ? ScriptListChange::oneRow(index) : ScriptListChange::everything());
}

void ScriptList::setChecked(ScriptEntry& entry, bool checked) {
    entry.checked_ = checked;
    const int index = indexOf(entry);
    if (index >= 0)
        notify(ScriptListChange::oneRow(index));
}

void ScriptList::attachObject(ScriptEntry& entry, std::unique_ptr<TstringObject> object) {
    entry.object_ = std::move(object);
    const int index = indexOf(entry);
    if (index >= 0)
        notify(ScriptListChange::oneRow(index));
}

void ScriptList::appendAll(std::vector<NewScriptEntry> added) {
    if (added.empty())
        return;
    const auto listed = static_cast<std::ptrdiff_t>(entries_.size());
    entries_.reserve(entries_.size() + added.size());
    for (NewScriptEntry& script : added) {
        auto owned = std::make_unique<ScriptEntry>();
        owned->text_ = std::move(script.text);
        owned->object_ = std::move(script.object);
        entries_.push_back(std::move(owned));
    }
    const auto byText = [this](const std::unique_ptr<ScriptEntry>& a, const std::unique_ptr<ScriptEntry>& b) {
        return sortsBefore(*a, *b);
    };
    // Both steps are stable and the merge takes the listed entry first among equals: the order of
    // one insertSorted per entry, which puts each behind every equal text already there.
    std::stable_sort(entries_.begin() + listed, entries_.end(), byText);
    std::inplace_merge(entries_.begin(), entries_.begin() + listed, entries_.end(), byText);
    notify(ScriptListChange::everything());
}

bool ScriptList::sortsBefore(const ScriptEntry& a, const ScriptEntry& b) const {
    return collator_.compare(a.text_, b.text_) < 0;
}

int ScriptList::insertSorted(std::unique_ptr<ScriptEntry> entry) {
    // After every entry that does not sort behind the new one: equal texts keep their order.
    const auto position =
        std::upper_bound(entries_.begin(), entries_.end(), entry,
                         [this](const std::unique_ptr<ScriptEntry>& added, const std::unique_ptr<ScriptEntry>& other) {
                             return sortsBefore(*added, *other);
                         });
    return static_cast<int>(std::distance(entries_.begin(), entries_.insert(position, std::move(entry))));
}

void ScriptList::notify(const ScriptListChange& change) const {
    if (changed_)
        changed_(change);
}

} // namespace akt
