#pragma once
// Keeps the user's input away from one window while a long operation runs in it
// and lets the progress box process events: key presses, clicks, the mouse wheel,
// shortcuts and the close button of that window are dropped. Other windows, such
// as the progress box with its "Abbrechen", keep their input.
#include <QObject>
#include <QPointer>
#include <QWidget>

class CInputBlocker : public QObject {
public:
    // Blocks input to pWindow from now until destruction.
    explicit CInputBlocker(QWidget* pWindow);
    ~CInputBlocker() override;
    CInputBlocker(const CInputBlocker&) = delete;
    CInputBlocker& operator=(const CInputBlocker&) = delete;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    bool BelongsToWindow(QObject* pObject) const;

    QPointer<QWidget> m_pWindow;
};
