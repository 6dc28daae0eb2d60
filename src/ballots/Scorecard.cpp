#include "ballots/Scorecard.h"

#include "app/EntryChecks.h"
#include "files/Cp1252.h"

namespace bis {

namespace {

std::size_t Index(int category) {
    return static_cast<std::size_t>(category - 1);
}

}  // namespace

Scorecard::Scorecard(ShowRecord &show) : show_(show) {
    show_.Scores.allocate(show_.NumJudges);
    show_.BallotEntered.allocate(show_.NumJudges);
    state_.openedWithJudges = show_.NumJudges;
    state_.removeShown = show_.NumJudges > 1;
}

NextButton Scorecard::nextButton() const {
    if (!onLastJudge()) {
        return NextButton::NextJudge;
    }
    return state_.openedWithJudges == 1 ? NextButton::TabulateScores : NextButton::TabulateResults;
}

std::optional<double> Scorecard::LeaveScoreBox(int category, std::string_view text,
                                               char separator) {
    if (state_.tabulated || category < 1 || category > show_.NumCategories ||
        !show_.Eligible(category)) {
        return std::nullopt;
    }
    const auto score = ScoreEntry(Cp1252FromUtf8(text), separator);
    if (!score) {
        return std::nullopt;
    }
    // Every score is a whole number of halves, so the totals are exact sums however they are
    // reached: a change moves the total by the difference alone.
    double &stored = show_.Scores(state_.currentJudge, category);
    show_.Scores(0, category) += *score - stored;
    stored = *score;
    state_.typed[Index(category)] = std::string(text);
    state_.totalShown[Index(category)] = true;
    state_.lastBoxLeft = category;
    return score;
}

bool Scorecard::NextJudge() {
    if (state_.tabulated) {
        return false;
    }
    show_.BallotEntered(state_.currentJudge) = 1;
    if (onLastJudge()) {
        return true;
    }
    const std::int16_t next = state_.currentJudge + 1;
    ShowJudge(next, show_.BallotEntered(next) == 1 ? ScoreBoxes::Scores : ScoreBoxes::Empty);
    if (onLastJudge()) {
        state_.removeShown = false;
    }
    return true;
}

bool Scorecard::Tabulate() {
    if (state_.tabulated || !onLastJudge()) {
        return false;
    }
    show_.BallotEntered(state_.currentJudge) = 1;
    state_.tabulated = true;
    return true;
}

bool Scorecard::PreviousJudge() {
    if (state_.tabulated || !previousShown()) {
        return false;
    }
    for (int c = 1; c <= show_.NumCategories; ++c) {
        if (show_.Scores(state_.currentJudge, c) > 0.0) {
            show_.BallotEntered(state_.currentJudge) = 1;
            break;
        }
    }
    if (show_.BallotEntered(show_.NumJudges) == 0) {
        state_.removeShown = true;
    }
    ShowJudge(static_cast<std::int16_t>(state_.currentJudge - 1), ScoreBoxes::Scores);
    return true;
}

bool Scorecard::RemoveJudge() {
    if (state_.tabulated || !state_.removeShown) {
        return false;
    }
    // The dropped judge's scores leave every total at once, so the tabulation never counts a
    // judge who is no longer among judges 1..NumJudges; its row stays as it was.
    for (int c = 1; c <= show_.NumCategories; ++c) {
        show_.Scores(0, c) -= show_.Scores(show_.NumJudges, c);
    }
    --show_.NumJudges;
    if (onLastJudge()) {
        state_.removeShown = false;
    }
    return true;
}

void Scorecard::ShowJudge(std::int16_t judge, ScoreBoxes boxes) {
    state_.currentJudge = judge;
    state_.boxes = boxes;
    state_.typed = {};
    state_.lastBoxLeft = 0;
}

}  // namespace bis
