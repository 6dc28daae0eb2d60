// The bare Qt Widgets windows the program's start is held against: an empty window, and one with
// a label and a button, whose text makes the toolkit load its fonts as every screen does.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <cstring>

int main(int argc, char *argv[]) {
    const bool withText = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    QApplication application(argc, argv);
    QWidget window;
    if (withText) {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(new QLabel(QStringLiteral("A bare window with text")));
        layout->addWidget(new QPushButton(QStringLiteral("E&xit")));
    }
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.show();
    return QApplication::exec();
}
