#pragma once

#include <QString>

namespace Quillorn {

// Where the program's own files live, and the path helpers every part shares.
class AppPaths {
public:
    // The program's folder with exactly one trailing separator; every program file
    // (settings.dat, languages/, templates/, plug-ins/) is found relative to it.
    static QString appDir();

    // `folder` with exactly one trailing "/" (the folder itself when it already ends in one).
    static QString withTrailingSeparator(const QString& folder);

    // The text after the last "/" or "\" of `path`: paths written on either platform
    // (settings files, sessions) name files with both separators.
    static QString fileName(const QString& path);
};

} // namespace Quillorn
