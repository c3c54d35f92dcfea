#pragma once

namespace velmora {

/// The application-wide mouse pointer as one value, default or busy, the
/// way the view command sets it. Qt keeps override cursors on a stack;
/// here setting "busy" twice is still one busy pointer, and going back to
/// the default unwinds the whole stack, so the user never regains control
/// under an hourglass that someone forgot to pop.
class ScreenPointer {
public:
    static void showBusy();
    static void showDefault();
};

} // namespace velmora
