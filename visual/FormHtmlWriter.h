#pragma once

#include "visual/FormDesign.h"

#include <QString>

namespace Quillorn {

// Writes a form design as HTML: one <form> of the body's size (position:relative) holding each
// element absolutely positioned in pixels or percent, in reading order (top to bottom, then
// left to right), indented by two spaces, every value escaped.
//
// Names: an element without a Name gets the first free one of its kind ("label1", "text1"...);
// `name` is the Name as it is (option buttons sharing a Name form one group), `id` is the Name
// with blanks made "_" and a "_2", "_3"... added when an earlier element has it already.
// Labels: a label is for the field (text field, checkbox, option, list) on its row (their
// heights overlap) with the smallest gap between the two boxes, a field to the label's right
// winning a tie; a label with no field on its row is for nothing.
class FormHtmlWriter {
public:
    // The markup, lines ended by "\n", the last one too.
    static QString write(const FormDesign::Content& content);
};

} // namespace Quillorn
