#pragma once

namespace Quillorn {

// What the embedded browser engine needs before the application object exists: contexts shared
// between its views, and no sandbox when running as root, which the engine refuses otherwise.
class BrowserEngine {
public:
    // Call before QApplication is made. Flags already in QTWEBENGINE_CHROMIUM_FLAGS are kept.
    static void prepare();
};

} // namespace Quillorn
