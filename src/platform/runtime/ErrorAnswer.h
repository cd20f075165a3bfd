#pragma once
// What an error report offers the operator and what the operator answers:
// one definition for the default error handler that asks, the runtime's
// dialog seam (ErrorMessageBox) and the error dialog that shows the buttons.

#include <cstdint>

namespace rt {

// How the operator chose to go on.
enum class ErrorAnswer : std::uint8_t {
    Default,  // carry on with the failed operation's default
    Retry,    // repeat the failed operation
    Abort,    // leave for the recovery point
    Quit,     // end the program
};

// How aborting is offered: not at all, as leaving for the recovery point
// ("Abort"), or, with no recovery point, as ending the program ("Quit
// program").
enum class AbortOffer : std::uint8_t { None, ToRecovery, Quit };

// The answers one report offers.
struct ErrorChoices {
    bool canDefault = false;
    bool canRetry = false;
    AbortOffer abort = AbortOffer::None;

    bool operator==(const ErrorChoices&) const = default;
};

// The answer of aborting as offered: Abort for a recovery point, else Quit
// (also when aborting is not offered: with nothing else left, the program
// ends).
constexpr ErrorAnswer AbortAnswer(AbortOffer abort) {
    return abort == AbortOffer::ToRecovery ? ErrorAnswer::Abort : ErrorAnswer::Quit;
}

// The answer when the operator gives none (the dialog closed, or no dialog
// can be shown): the default when it is offered, else aborting.
constexpr ErrorAnswer UnansweredAnswer(const ErrorChoices& choices) {
    return choices.canDefault ? ErrorAnswer::Default : AbortAnswer(choices.abort);
}

}  // namespace rt
