#pragma once

#include "visual/FormDesign.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace Quillorn {

class LangStrings;

// The design file (.qform): a form design as versioned JSON, read and written through the
// file layer. Input that is not a design of a known version is refused as a whole.
class FormFile {
public:
    static constexpr int Version = 1;
    // No design of the program's is near this size; a larger file is not one.
    static constexpr qint64 MaxBytes = 4 * 1024 * 1024;

    static QByteArray toJson(const FormDesign::Content& content);
    // The design `json` holds, or nothing when it is not a valid one.
    static std::optional<FormDesign::Content> fromJson(const QByteArray& json);

    struct ReadResult {
        std::optional<FormDesign::Content> content;
        QString error; // the message for the user when there is no content
    };
    static ReadResult read(const QString& path, const LangStrings& strings);
    // Saves `content` to `path`; an empty text, or the message for the user.
    static QString write(const QString& path, const FormDesign::Content& content,
                         const LangStrings& strings);
};

} // namespace Quillorn
