#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/ShowRecord.h"

namespace bis {

// What the score boxes show when a judge comes on screen.
enum class ScoreBoxes : std::uint8_t {
    Empty,   // nothing, for a judge whose ballot is not entered yet
    Scores,  // the judge's stored scores, in the score form
};

// The caption the scorecard's first button carries.
enum class NextButton { NextJudge, TabulateScores, TabulateResults };

// Where the Tabulator is on the scorecard, beyond what the show record holds.
struct ScorecardState {
    std::int16_t currentJudge = 1;
    // NumJudges when the scorecard opened: a show of one judge reads "Tabulate Scores".
    std::int16_t openedWithJudges = 0;
    bool removeShown = false;
    // "PLEASE CHECK!" was answered Yes: the summary is open, and the scorecard takes nothing more.
    bool tabulated = false;
    // What the boxes were filled with when the judge came on screen; a box accepted since shows
    // its text exactly as typed (UTF-8) instead.
    ScoreBoxes boxes = ScoreBoxes::Empty;
    std::array<std::optional<std::string>, kCategoryCount> typed;
    // Whether the category's running total has been shown.
    std::array<bool, kCategoryCount> totalShown{};
    // The category of the score box left last on this judge, 0 when none since the judge came
    // on screen: the focus goes on from it.
    int lastBoxLeft = 0;
};

// The rules of the judges' scorecard, with no screen: which score it accepts, where Next Judge,
// Previous Judge and Remove a Judge lead, which ballots they mark entered, and the running
// totals, each the sum of its category over judges 1..NumJudges. The scorecard screen acts
// through them, and the journal's reader replays what the Tabulator did through them, so a
// record the rules refuse is damage.
class Scorecard {
  public:
    // Opens on the show as set up: every ballot empty, judge 1 on screen.
    explicit Scorecard(ShowRecord &show);
    // Goes on from where an earlier scorecard of the same show left off.
    Scorecard(ShowRecord &show, const ScorecardState &state) : show_(show), state_(state) {}

    [[nodiscard]] const ScorecardState &state() const { return state_; }
    [[nodiscard]] std::int16_t currentJudge() const { return state_.currentJudge; }
    [[nodiscard]] bool onLastJudge() const { return state_.currentJudge == show_.NumJudges; }
    [[nodiscard]] bool previousShown() const { return state_.currentJudge > 1; }
    [[nodiscard]] bool removeShown() const { return state_.removeShown; }
    [[nodiscard]] NextButton nextButton() const;

    // The score box of a category was left holding the text (UTF-8, as typed), read with the
    // decimal separator: the score stored for the judge on screen, and its category's total
    // changed with it. Nothing, and nothing changed, when the entry is refused.
    std::optional<double> LeaveScoreBox(int category, std::string_view text, char separator);

    // Next Judge: the ballot on screen is marked entered, and the next judge comes on screen.
    // On the last judge only the mark is made: "PLEASE CHECK!" was answered No.
    bool NextJudge();
    // "PLEASE CHECK!" answered Yes on the last judge: its ballot is entered, the ballots are
    // tabulated, and the scorecard is done.
    bool Tabulate();
    // Previous Judge: the ballot on screen is marked entered when it holds a score above 0, and
    // the judge before comes on screen with its scores.
    bool PreviousJudge();
    // Remove a Judge, answered Yes: the last judge leaves the show, and its scores every total.
    bool RemoveJudge();
    // Each of the four is false, and changes nothing, when the scorecard shows no such button
    // (or, after the tabulation, no scorecard).

  private:
    // A new judge on screen: the boxes filled as given, nothing typed or left on it yet.
    void ShowJudge(std::int16_t judge, ScoreBoxes boxes);

    ShowRecord &show_;
    ScorecardState state_;
};

}  // namespace bis
