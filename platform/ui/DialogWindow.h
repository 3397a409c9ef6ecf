// The Qt side of a dialog: its top-level window with the caption the framework draws, and
// the client area that holds the controls. The window is also where Qt's events become the
// dialog's messages.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QPoint>
#include <QString>

#include "platform/ui/CDialog.h"
#include "platform/ui/DialogUnits.h"

class QLabel;
class QToolButton;

// The client area of a dialog: its controls' parent, painted through WM_PAINT.
class ClientArea final : public QWidget {
public:
    ClientArea(CDialog* owner, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CDialog* m_owner;
};

// The caption the framework draws: icon (opens the system menu), text, minimise and close.
class CaptionBar final : public QWidget {
public:
    CaptionBar(CDialog* owner, QWidget* parent, DWORD dwStyle);
    void SetText(const QString& text);
    QString Text() const;
    void SetIcon(const QIcon& icon);
    QToolButton* IconButton() const { return m_icon; }
    QToolButton* MinimiseButton() const { return m_minimise; }
    QToolButton* CloseButton() const { return m_close; }
    void Layout(int width, int height);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CDialog* m_owner;
    QToolButton* m_icon;
    QLabel* m_text;
    QToolButton* m_minimise = nullptr;
    QToolButton* m_close;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

// The top-level window of a dialog.
class DialogWindow final : public QDialog {
public:
    DialogWindow(CDialog* owner, const DialogTemplate& tmpl, QWidget* parent);
    ~DialogWindow() override;

    CDialog* Owner() const { return m_owner; }
    ClientArea* Client() const { return m_client; }
    CaptionBar* Caption() const { return m_caption; }
    const DialogUnits& Units() const { return m_units; }

    // Sends every event of this window's widgets through the dialog's pre-translation and
    // turns keys, context-menu requests and closing into the dialog's messages.
    bool eventFilter(QObject* watched, QEvent* event) override;

    void reject() override;
    void accept() override;

    // Moves the window with the arrow keys until Enter keeps or Esc undoes the move, where
    // the window system cannot move it.
    void BeginKeyboardMove();
    bool IsMovingByKeyboard() const { return m_moving; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool Translate(QWidget* receiver, QEvent* event);
    bool KeyboardMove(QEvent* event);

    CDialog* m_owner;
    bool m_moving = false;
    QPoint m_moveStart;
    DialogUnits m_units;
    CaptionBar* m_caption = nullptr;
    ClientArea* m_client;
};
