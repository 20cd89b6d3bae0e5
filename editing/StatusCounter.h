#pragma once

#include "editing/StatusLine.h"

#include <QObject>

class QsciScintillaBase;

namespace Quillorn {

// Works out the status line's figures for the caret and selection of a view. The status line
// asks several times for every key, and counting characters one by one through the editor
// component costs a tenth of a second per megabyte before the caret: the figures are kept until
// the text, the document or the selection changes, and ASCII text is counted by the byte.
class StatusCounter : public QObject {
    Q_OBJECT

public:
    explicit StatusCounter(QsciScintillaBase* view);

    StatusLine::Position position() const;

    // The characters between the byte positions `from` and `to` (both at character starts) as
    // the component counts them, invalid bytes one each.
    static qint64 countCharacters(const QsciScintillaBase* view, qint64 from, qint64 to);

private:
    struct State {
        long document = 0;
        quint64 generation = 0;
        long caret = -1;
        long anchor = -1;
        bool operator==(const State&) const = default;
    };

    QsciScintillaBase* m_view;
    quint64 m_generation = 0; // counts changes of the text
    mutable State m_counted;
    mutable StatusLine::Position m_position;
};

} // namespace Quillorn
