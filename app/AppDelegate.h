#pragma once
// The application object's one rule: closing the last window ends the program.

class QGuiApplication;

namespace lumetra {

class AppDelegate {
public:
    // applicationShouldTerminateAfterLastWindowClosed: always yes.
    static bool applicationShouldTerminateAfterLastWindowClosed() { return true; }

    // Applies the rule to the running application.
    static void install(QGuiApplication& app);
};

}  // namespace lumetra
