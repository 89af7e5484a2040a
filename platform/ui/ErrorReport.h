// Errors that nothing else handles are shown to the user in one form: a critical message box with
// the caption "Varnholt 2.0" and the error's text. No exception leaves a slot or an event handler.
#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

void ShowError(const std::exception& error);
void ShowErrorText(const QString& text);

// Runs `action`; an exception it raises is shown and swallowed. False when one was raised.
bool GuardedCall(const std::function<void()>& action);

namespace ErrorReportDetail {

// Calls `f` with the longest leading part of the arguments it accepts: Qt passes trailing arguments
// (such as a private-signal tag) that a slot may leave out.
template <std::size_t N, class F, class Tuple>
void CallWithLeading(F& f, Tuple& args)
{
    constexpr bool fits = []<std::size_t... I>(std::index_sequence<I...>) {
        return std::is_invocable_v<F&, std::tuple_element_t<I, Tuple>...>;
    }(std::make_index_sequence<N>{});
    if constexpr (fits)
        [&]<std::size_t... I>(std::index_sequence<I...>) { f(std::get<I>(args)...); }(std::make_index_sequence<N>{});
    else if constexpr (N > 0)
        CallWithLeading<N - 1>(f, args);
    else
        static_assert(N > 0, "the slot takes none of the signal's arguments");
}

} // namespace ErrorReportDetail

// Wraps a slot for connect(): connect(button, &QPushButton::clicked, Guarded([this] { Save(); })).
template <class F>
auto Guarded(F action)
{
    return [action = std::move(action)](auto&&... args) mutable {
        GuardedCall([&] {
            auto tuple = std::forward_as_tuple(args...);
            ErrorReportDetail::CallWithLeading<sizeof...(args)>(action, tuple);
        });
    };
}
