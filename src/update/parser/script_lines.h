#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace akt {

// Bytes that Windows-1250 text never holds. A file's text ends where they stand, so that nothing of
// a file in another encoding (or of a damaged one) runs as a statement.
enum class ForeignBytes {
    none,
    nulByte,              // a NUL byte followed by more than NUL padding
    utf8ByteOrderMark,    // EF BB BF at the start
    utf16LeByteOrderMark, // FF FE at the start
    utf16BeByteOrderMark, // FE FF at the start
};

// The lines of one script file as bytes (Windows-1250 text, never decoded here), kept in one buffer.
// Where lines begin is not stored for every line, which would cost more than the text itself for a file
// of blank lines: a checkpoint every kStride lines and the bounds of the lines looked up last are
// enough for the scanner, which reads forward and steps back only to the start of a statement.
//
// Looking up a line updates that cache even through const, so one ScriptLines must not be read from
// two threads at once.
class ScriptLines {
public:
    ScriptLines() = default;
    // One item per line; the items are taken as they are, even if they hold CR or LF.
    explicit ScriptLines(const std::vector<std::string>& lines);

    // Splits a file's bytes into lines at CR LF, a lone CR and a lone LF. A line break at the very end
    // does not start one more (empty) line. NUL bytes that only pad the end are dropped. A NUL byte
    // followed by anything else, or a byte-order mark, ends the text where it stands (see foreignBytes).
    static ScriptLines fromBytes(std::string bytes);

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    std::string_view operator[](std::size_t index) const {
        if (index - first_ >= top_ - first_) // outside [first_, top_), in one comparison
            reach(index);
        const Bounds& line = recent_[index % kRecent];
        return std::string_view(bytes_.data() + line.begin, line.end - line.begin);
    }

    // What ended the text early, if anything. Then the last line is the one where it stands, holding
    // the part of that line in front of it (an empty line when it stands at the line's start).
    ForeignBytes foreignBytes() const { return foreign_; }

private:
    static constexpr std::size_t kStride = 64;  // lines from one checkpoint to the next
    static constexpr std::size_t kRecent = 256; // lines whose bounds are kept; a power of two

    struct Bounds {
        std::size_t begin = 0;
        std::size_t end = 0; // where the line break (or the text) begins
    };

    // Finds line breaks: the first LF ahead is remembered, so the search for a CR stops there and
    // neither byte is searched for twice over a run of lines. LF is looked for a window at a time,
    // so a file of lone CRs costs no search to its end each time the cache starts afresh.
    class LineBreaks {
    public:
        // The first CR or LF at or after `from`, or the end of the text.
        std::size_t find(std::string_view text, std::size_t from);

    private:
        static constexpr std::size_t kWindow = 4096;
        std::size_t searchedFrom_ = static_cast<std::size_t>(-1);
        std::size_t lf_ = 0;   // the first LF at or after searchedFrom_, or where the window ends
        bool lfFound_ = false; // whether lf_ is an LF
    };

    std::size_t stride() const { return given_ ? 1 : kStride; }
    void reach(std::size_t index) const;
    void step() const;

    std::string bytes_;
    // Where line i * stride() begins. Given lines have a checkpoint each, and one more for the end,
    // because their items may hold line breaks that must not split them.
    std::vector<std::size_t> checkpoints_;
    std::size_t count_ = 0;
    bool given_ = false;
    ForeignBytes foreign_ = ForeignBytes::none;

    // Lines [first_, top_) have their bounds in recent_ (line i at i % kRecent); line top_ begins at
    // topBegin_.
    mutable std::array<Bounds, kRecent> recent_{};
    mutable std::size_t first_ = 0;
    mutable std::size_t top_ = 0;
    mutable std::size_t topBegin_ = 0;
    mutable LineBreaks breaks_;
};

} // namespace akt
