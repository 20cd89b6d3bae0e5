#pragma once

#include <QString>

namespace Quillorn {

class LangStrings;

// The file-dialog filters of Open, Save As and the project dialogs. They are composed in the
// documented "name|pattern|name|pattern" form and handed to dialogs in Qt's form.
class FileFilters {
public:
    // The Open dialog: all known formats, HTML, JavaScript, PHP, project files, all files.
    static QString openFilterText(const LangStrings& strings);
    static QString openFilter(const LangStrings& strings);

    // The Save As dialog for a document captioned `caption`: the kind of its extension first,
    // then all files.
    static QString saveAsFilterText(const LangStrings& strings, const QString& caption);
    static QString saveAsFilter(const LangStrings& strings, const QString& caption);

    // Session and project files only.
    static QString projectFilterText(const LangStrings& strings);
    static QString projectFilter(const LangStrings& strings);

    // "HTML page|*.html;*.htm|All files|*.*" as "HTML page (*.html *.htm);;All files (*)".
    // A name without a pattern gets "*".
    static QString toQtFilter(const QString& pipeForm);
};

} // namespace Quillorn
