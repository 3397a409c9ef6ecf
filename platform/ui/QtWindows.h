// The Qt side of the window framework, shared by its .cpp files and by UI tests that look
// at the widgets: the dialog's top-level window with its own caption, the client area, the
// list box widget and the conversions between the framework's values and Qt's.
#pragma once

#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QListWidget>
#include <QRect>
#include <QString>
#include <QStyledItemDelegate>

#include "platform/ui/CDialog.h"

class QToolButton;
class QLabel;

// Texts cross into Qt as UTF-8 where they are valid UTF-8, else as Latin-1 bytes (titles in
// an archive may come from an 8-bit code page).
QString ToQt(const std::string& text);
std::string FromQt(const QString& text);

// A static text's caption as shown: without SS_NOPREFIX "&&" is a literal '&' and a single
// '&' marks a mnemonic, which a static does not underline.
QString StaticCaption(const std::string& text, DWORD dwStyle);

int MulDiv(int number, int numerator, int denominator);

// Dialog base units: the average width of the dialog font's letters and its height.
struct DialogUnits {
    int baseX = 0;
    int baseY = 0;
};
// The template's font, or the desktop's sans font at the template's size when the face is
// not installed.
QFont DialogFontOf(const DialogTemplate& tmpl);
DialogUnits DialogUnitsOf(const QFont& font);
// A rectangle of dialog units in pixels: x and width scale by baseX / 4, y and height by
// baseY / 8.
QRect DialogRectToPixels(const DialogUnits& units, int x, int y, int cx, int cy);

QIcon IconOf(HICON hIcon);

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

// Draws list lines with tab characters expanded at fixed stops.
class TabStopDelegate final : public QStyledItemDelegate {
public:
    TabStopDelegate(int tabStopPixels, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    int m_tabStop;
};
