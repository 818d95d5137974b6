// The least a Qt Widgets program can be while it does what the strip shows: a frameless window at the
// strip's place and size painting the given lines in the strip's font, and a tray icon. Its peak memory
// is the floor under the program's own figure on the same machine; it is run by measure_qt_floor.py.
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

namespace {

class Lines : public QWidget {
public:
    explicit Lines(QStringList lines) : lines_(std::move(lines)) {
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setGeometry(906, 20, 600, 135);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        QFont font;
        font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN")});
        font.setPixelSize(16);
        font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);
        painter.setPen(Qt::green);
        for (int i = 0; i < lines_.size(); ++i)
            painter.drawText(0, 16 + 20 * i, lines_[i]);
    }

private:
    QStringList lines_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList lines;
    for (int i = 1; i < argc; ++i)
        lines << QString::fromUtf8(argv[i]);
    Lines window(lines);
    window.show();
    QPixmap icon(64, 64);
    icon.fill(Qt::red);
    QSystemTrayIcon tray{QIcon(icon)};
    tray.show();
    return app.exec();
}
