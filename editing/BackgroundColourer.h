#pragma once

#include <QObject>
#include <QTimer>

class QsciScintillaBase;

namespace Quillorn {

// Colours the document shown in the background up to the end of the view, so that a far jump
// (Ctrl+End, a find near the end, a drag of the scroll bar) paints at once and the colours
// follow, instead of the editor component colouring everything above the new view in one go.
class BackgroundColourer : public QObject {
    Q_OBJECT

public:
    // How much text one step colours before control goes back to the event loop.
    static constexpr qint64 Step = qint64(1) << 20;

    explicit BackgroundColourer(QsciScintillaBase* view);

    // Off, the component colours everything up to the view at each paint, as it does by itself:
    // with full accessibility every step's repaint costs a count of the text up to the caret.
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }

    // Starts colouring when the document shown is coloured less far than the end of the view.
    void follow();
    bool isColouring() const { return m_timer.isActive(); }

private:
    void step();
    // Where colouring has to reach for the view: the start of the line after the last one on
    // screen.
    qint64 goal() const;

    QsciScintillaBase* m_view;
    QTimer m_timer;
    bool m_enabled = false;
};

} // namespace Quillorn
