// The yardstick of the start-up comparison: the least a Qt Widgets program does to show what
// the wizard's main page shows. One 581 x 436 window with a picture and two buttons; once it
// has painted, it is grabbed to the file named by --snapshot=FILE, as the wizard saves it (BMP
// for a name ending in .bmp, PNG otherwise), and the program ends.
#include <QApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int kWidth = 581;
constexpr int kHeight = 436;

QPixmap Picture()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, kWidth, kHeight);
    gradient.setColorAt(0, QColor(32, 64, 128));
    gradient.setColorAt(1, QColor(224, 232, 240));
    painter.fillRect(image.rect(), gradient);
    return QPixmap::fromImage(image);
}

class Window : public QWidget
{
public:
    explicit Window(QString snapshot) : snapshot_(std::move(snapshot))
    {
        setFixedSize(kWidth, kHeight);
        auto* picture = new QLabel(this);
        picture->setPixmap(Picture());
        picture->setGeometry(rect());
        auto* start = new QPushButton(QStringLiteral("Start"), this);
        start->setGeometry(380, 390, 90, 28);
        auto* close = new QPushButton(QStringLiteral("Close"), this);
        close->setGeometry(480, 390, 90, 28);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (painted_)
            return;
        painted_ = true;
        QTimer::singleShot(0, this, [this] {
            grab().save(snapshot_, snapshot_.endsWith(QStringLiteral(".bmp")) ? "BMP" : "PNG");
            QApplication::quit();
        });
    }

private:
    QString snapshot_;
    bool painted_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString snapshot = QStringLiteral("bare_window.png");
    for (const QString& argument : QCoreApplication::arguments())
        if (argument.startsWith(QStringLiteral("--snapshot=")))
            snapshot = argument.mid(11);
    Window window(snapshot);
    window.show();
    return app.exec();
}
