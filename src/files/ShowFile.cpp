#include "files/ShowFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "app/Blanks.h"
#include "app/NumberText.h"
#include "files/Cp1252.h"

namespace bis {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Writes a text between double quotes. A double quote inside the text would end the field early
// on reading and shift every later field, so it is written as an apostrophe.
void WriteText(std::string &out, const std::string &utf8) {
    std::string bytes = Cp1252FromUtf8(utf8);
    std::replace(bytes.begin(), bytes.end(), '"', '\'');
    out += '"';
    out += bytes;
    out += '"';
    out += kLineEnd;
}

void WriteLine(std::string &out, const std::string &field) {
    out += field;
    out += kLineEnd;
}

// Splits the file into fields the way the show file has always been read: blanks before a field
// are skipped, a quoted text runs to the next double quote, anything else runs to the next comma
// or line end (a number also to the next blank).
class FieldReader {
  public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::string> text() {
        skipBlanks();
        start_ = at_;
        if (atEnd()) {
            return std::nullopt;
        }
        std::string field;
        if (bytes_[at_] == '"') {
            const auto close = bytes_.find('"', at_ + 1);
            if (close == std::string_view::npos) {
                return std::nullopt;
            }
            field = bytes_.substr(at_ + 1, close - at_ - 1);
            at_ = close + 1;
            while (!atEnd() && !atDelimiter()) {
                ++at_;
            }
        } else {
            while (!atEnd() && !atDelimiter()) {
                field += bytes_[at_++];
            }
            while (!field.empty() && IsBlankOrTab(field.back())) {
                field.pop_back();
            }
        }
        skipDelimiter();
        return field;
    }

    std::optional<double> number() {
        skipBlanks();
        const std::size_t start = at_;
        start_ = start;
        while (!atEnd() && !atDelimiter() && !IsBlankOrTab(bytes_[at_])) {
            ++at_;
        }
        const std::string_view field = bytes_.substr(start, at_ - start);
        skipBlanks();
        skipDelimiter();
        if (field.empty()) {
            return std::nullopt;
        }
        return ReadNumber(field);
    }

    std::optional<std::int16_t> integer() {
        const auto value = number();
        if (!value || *value != std::floor(*value) || *value < -32768.0 || *value > 32767.0) {
            return std::nullopt;
        }
        return static_cast<std::int16_t>(*value);
    }

    // Where the field last asked for begins (after its leading blanks).
    [[nodiscard]] std::size_t fieldStart() const { return start_; }

  private:
    static bool IsBlankOrTab(char ch) { return ch == ' ' || ch == '\t'; }

    bool atEnd() const { return at_ >= bytes_.size(); }
    bool atDelimiter() const {
        const char ch = bytes_[at_];
        return ch == ',' || ch == '\r' || ch == '\n';
    }
    void skipBlanks() {
        while (!atEnd() && IsBlankOrTab(bytes_[at_])) {
            ++at_;
        }
    }
    void skipDelimiter() {
        if (atEnd()) {
            return;
        }
        if (bytes_[at_] == ',') {
            ++at_;
        } else if (bytes_[at_] == '\r') {
            ++at_;
            if (!atEnd() && bytes_[at_] == '\n') {
                ++at_;
            }
        } else if (bytes_[at_] == '\n') {
            ++at_;
        }
    }

    std::string_view bytes_;
    std::size_t at_ = 0;
    std::size_t start_ = 0;
};

// A text field that does not begin with a double quote may still hold one. Such a text could
// never be saved and read back as one field, and no saved file holds one, so the file is refused.
bool HoldsQuote(const std::optional<std::string> &text) {
    return text && text->find('"') != std::string::npos;
}

// The line, counted from 1, that the byte at the offset stands on. CR LF, LF and a lone CR each
// end a line, as the reader takes them.
std::size_t LineAt(std::string_view bytes, std::size_t offset) {
    std::size_t line = 1;
    for (std::size_t at = 0; at < offset && at < bytes.size(); ++at) {
        if (bytes[at] == '\n' ||
            (bytes[at] == '\r' && (at + 1 >= bytes.size() || bytes[at + 1] != '\n'))) {
            ++line;
        }
    }
    return line;
}

// What stands in the file where a field begins, for a reason: the field in single quotes as far
// as its comma or line end (a quoted one to its line end), at most 40 bytes of it, control
// characters shown as "?"; "nothing" for an empty field and "the end of the file" past the end.
std::string FoundAt(std::string_view bytes, std::size_t start) {
    if (start >= bytes.size()) {
        return "the end of the file";
    }
    const bool quoted = bytes[start] == '"';
    std::size_t end = start;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n' &&
           (quoted || bytes[end] != ',')) {
        ++end;
    }
    std::string field(bytes.substr(start, end - start));
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) {
        field.pop_back();
    }
    if (field.empty()) {
        return "nothing";
    }
    constexpr std::size_t kShown = 40;
    const bool cut = field.size() > kShown;
    field.resize(std::min(field.size(), kShown));
    for (char &byte : field) {
        if (static_cast<unsigned char>(byte) < 0x20 || byte == 0x7f) {
            byte = '?';
        }
    }
    // Built by appending rather than by "'" + text, which GCC 12 at -O2 flags with a false
    // -Wrestrict warning; so are the other texts of the reasons.
    std::string shown = "'";
    shown += Utf8FromCp1252(field);
    shown += cut ? "...'" : "'";
    return shown;
}

// The refusal of a file at the field that begins at start: what the place needs, and what stands
// there instead.
ShowFileReadResult Refused(std::string_view bytes, std::size_t start, const std::string &expected,
                           const std::string &found) {
    std::string reason = "expected ";
    reason += expected;
    reason += ", found ";
    reason += found;
    return {ShowFileReadResult::Outcome::Unreadable, {}, LineAt(bytes, start), std::move(reason)};
}

ShowFileReadResult Refused(std::string_view bytes, std::size_t start, const std::string &expected) {
    return Refused(bytes, start, expected, FoundAt(bytes, start));
}

// The refusal of a text field that could not be read (it ends the file, or its opening quote is
// never closed) or holds a double quote.
ShowFileReadResult RefusedText(std::string_view bytes, std::size_t start,
                               const std::string &expected) {
    std::string found = FoundAt(bytes, start);
    if (start < bytes.size() && bytes[start] == '"') {
        found += ", whose double quote is never closed";
    }
    return Refused(bytes, start, expected, found);
}

// What a place for one of the particulars needs.
std::string ParticularText(const char *what) {
    return std::string(what) + " (a text without a double quote inside)";
}

}  // namespace

std::string ShowFileBytes(const ShowRecord &show) {
    std::string out;
    WriteText(out, show.ProgramVersion);
    WriteText(out, show.ClubName);
    WriteText(out, show.ShowLocation);
    WriteText(out, show.ShowDate);
    WriteLine(out, std::to_string(show.NumJudges));
    WriteLine(out, std::to_string(show.NumCategories));
    for (int c = 1; c <= show.NumCategories; ++c) {
        WriteLine(out, std::to_string(show.Blooms(c)));
    }
    for (int j = 0; j <= show.NumJudges; ++j) {
        for (int c = 1; c <= show.NumCategories; ++c) {
            WriteLine(out, ShowFileNumber(show.Scores(j, c)));
        }
    }
    return out;
}

ShowFileReadResult ReadShowFile(std::string_view bytes, ShowRecord &show) {
    using Outcome = ShowFileReadResult::Outcome;
    FieldReader reader(bytes);

    const auto version = reader.text();
    if (!version) {
        return RefusedText(bytes, reader.fieldStart(), "the version of the program");
    }
    const std::string_view trimmed = TrimBlanks(*version);
    if (trimmed.substr(0, 7) != "Version") {
        return {Outcome::NotVersioned, {}, 0, {}};
    }
    const std::string_view ours = show.ProgramVersion;
    if (trimmed.substr(0, 10) != ours.substr(0, 10)) {
        return {Outcome::WrongVersion, Utf8FromCp1252(trimmed), 0, {}};
    }

    const auto club = reader.text();
    if (!club || HoldsQuote(club)) {
        return RefusedText(bytes, reader.fieldStart(), ParticularText("the sponsoring club"));
    }
    const auto location = reader.text();
    if (!location || HoldsQuote(location)) {
        return RefusedText(bytes, reader.fieldStart(), ParticularText("the show's location"));
    }
    const auto date = reader.text();
    if (!date || HoldsQuote(date)) {
        return RefusedText(bytes, reader.fieldStart(), ParticularText("the show's date"));
    }
    const auto judges = reader.integer();
    if (!judges || *judges < 1) {
        return Refused(bytes, reader.fieldStart(),
                       "the number of judges (a whole number from 1 to 32767)");
    }
    const auto categories = reader.integer();
    if (!categories || *categories != kCategoryCount) {
        std::string expected = "the number of categories (";
        expected += std::to_string(kCategoryCount);
        expected += ')';
        return Refused(bytes, reader.fieldStart(), expected);
    }

    CategoryArray<std::int16_t> blooms;
    for (int c = 1; c <= kCategoryCount; ++c) {
        const auto count = reader.integer();
        if (!count || *count < 0) {
            return Refused(bytes, reader.fieldStart(),
                           std::string("the number of blooms in ") + FixedCategoryName(c) +
                               " (a whole number from 0 to 32767)");
        }
        blooms(c) = *count;
    }

    JudgeMatrix<double, 0> scores;
    scores.allocate(*judges);
    for (int j = 0; j <= *judges; ++j) {
        for (int c = 1; c <= kCategoryCount; ++c) {
            const auto score = reader.number();
            if (!score) {
                std::string expected = "the points deducted in ";
                if (j > 0) {
                    expected = "judge ";
                    expected += std::to_string(j);
                    expected += "'s score in ";
                }
                expected += FixedCategoryName(c);
                expected += " (a number)";
                return Refused(bytes, reader.fieldStart(), expected);
            }
            scores(j, c) = *score;
        }
    }

    show.ClubName = Utf8FromCp1252(*club);
    show.ShowLocation = Utf8FromCp1252(*location);
    show.ShowDate = Utf8FromCp1252(*date);
    show.NumJudges = *judges;
    show.NumCategories = *categories;
    show.Blooms = blooms;
    show.Scores = std::move(scores);
    show.ReportSaved = 1;
    return {Outcome::Read, {}, 0, {}};
}

}  // namespace bis
