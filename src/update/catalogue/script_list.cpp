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
    notify();
}

ScriptEntry& ScriptList::append() {
    auto owned = std::make_unique<ScriptEntry>();
    ScriptEntry& entry = *owned;
    insertSorted(std::move(owned));
    notify();
    return entry;
}

int ScriptList::indexOf(const ScriptEntry& entry) const {
    const auto found =
        std::find_if(entries_.begin(), entries_.end(), [&entry](const auto& owned) { return owned.get() == &entry; });
    return found == entries_.end() ? -1 : static_cast<int>(std::distance(entries_.begin(), found));
}

void ScriptList::setDisplayText(ScriptEntry& entry, const QString& text) {
    const int index = indexOf(entry);
    if (index < 0)
        return;
    auto position = entries_.begin() + index;
    std::unique_ptr<ScriptEntry> owned = std::move(*position);
    entries_.erase(position);
    owned->text_ = text;
    insertSorted(std::move(owned));
    notify();
}

void ScriptList::setChecked(ScriptEntry& entry, bool checked) {
    entry.checked_ = checked;
    notify();
}

void ScriptList::attachObject(ScriptEntry& entry, std::unique_ptr<TstringObject> object) {
    entry.object_ = std::move(object);
    notify();
}

void ScriptList::insertSorted(std::unique_ptr<ScriptEntry> entry) {
    // After every entry that does not sort behind the new one: equal texts keep their order.
    const auto position = std::upper_bound(entries_.begin(), entries_.end(), entry->text_,
                                           [this](const QString& text, const std::unique_ptr<ScriptEntry>& other) {
                                               return collator_.compare(text, other->text_) < 0;
                                           });
    entries_.insert(position, std::move(entry));
}

void ScriptList::notify() const {
    if (changed_)
        changed_();
}

} // namespace akt
