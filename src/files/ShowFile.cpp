#include "files/ShowFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

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

    // Reads a number field into value; false when the field is empty or no number. (The value
    // goes out through a reference: a returned std::optional<double> was copied through the stack
    // in pieces, which cost more than reading the field.)
    bool number(double &value) {
        skipBlanks();
        const std::size_t start = at_;
        while (!atEnd() && !atDelimiter() && !IsBlankOrTab(bytes_[at_])) {
            ++at_;
        }
        const std::string_view field = bytes_.substr(start, at_ - start);
        skipBlanks();
        skipDelimiter();
        if (field.empty()) {
            return false;
        }
        if (const auto plain = ReadPlainDecimal(field)) {
            value = *plain;
            return true;
        }
        if (const auto other = ReadNumber(field)) {
            value = *other;
            return true;
        }
        return false;
    }

    std::optional<std::int16_t> integer() {
        double value = 0.0;
        if (!number(value) || value != std::floor(value) || value < -32768.0 || value > 32767.0) {
            return std::nullopt;
        }
        return static_cast<std::int16_t>(value);
    }

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
};

// A text field that does not begin with a double quote may still hold one. Such a text could
// never be saved and read back as one field, and no saved file holds one, so the file is refused.
bool HoldsQuote(const std::optional<std::string> &text) {
    return text && text->find('"') != std::string::npos;
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
        return {Outcome::Unreadable, {}};
    }
    const std::string_view trimmed = TrimBlanks(*version);
    if (trimmed.substr(0, 7) != "Version") {
        return {Outcome::NotVersioned, {}};
    }
    const std::string_view ours = show.ProgramVersion;
    if (trimmed.substr(0, 10) != ours.substr(0, 10)) {
        return {Outcome::WrongVersion, Utf8FromCp1252(trimmed)};
    }

    const auto club = reader.text();
    const auto location = reader.text();
    const auto date = reader.text();
    const auto judges = reader.integer();
    const auto categories = reader.integer();
    if (!club || !location || !date || !judges || !categories || *judges < 1 ||
        *categories != kCategoryCount || HoldsQuote(club) || HoldsQuote(location) ||
        HoldsQuote(date)) {
        return {Outcome::Unreadable, {}};
    }

    CategoryArray<std::int16_t> blooms;
    for (int c = 1; c <= kCategoryCount; ++c) {
        const auto count = reader.integer();
        if (!count || *count < 0) {
            return {Outcome::Unreadable, {}};
        }
        blooms(c) = *count;
    }

    JudgeMatrix<double, 0> scores;
    scores.allocate(*judges);
    for (int j = 0; j <= *judges; ++j) {
        for (int c = 1; c <= kCategoryCount; ++c) {
            if (!reader.number(scores(j, c))) {
                return {Outcome::Unreadable, {}};
            }
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
    return {Outcome::Read, {}};
}

}  // namespace bis
