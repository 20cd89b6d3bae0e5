#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace Quillorn {

class TagTarget;

// The tag lists of one interface language (HTML, JavaScript, PHP; the CSS category has none)
// as the tag window keeps them, and how an entry of each category goes into the editor.
class TagLists {
public:
    // The rows of the tag window's category list, in this order.
    enum class Category { Html = 0, JavaScript = 1, Css = 2, Php = 3 };
    static constexpr int categoryCount = 4;

    // The file of a category in the language folder, empty for CSS.
    static QString fileName(Category category);

    // Reads the three files of `languageFolder` (a missing file leaves its category empty).
    void load(const QString& languageFolder, const QString& language);

    // The full entries ("caption///text") of a category in file order.
    const QStringList& entries(Category category) const;

    // The captions shown in the tag list for a category.
    QStringList captions(Category category) const;

    // The text entry `row` of `category` inserts, or nothing for a row that does not exist
    // or has no "///".
    std::optional<QString> text(Category category, int row) const;

    // Puts entry `row` of `category` into `target` as a double-click does: HTML text holding
    // "<" replaces the selection, a bare HTML name is wrapped around it as an element,
    // JavaScript and PHP text replaces it. True when something was inserted.
    bool insert(Category category, int row, TagTarget& target) const;

private:
    std::array<QStringList, categoryCount> m_entries;
};

} // namespace Quillorn
