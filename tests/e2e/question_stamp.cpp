// Shows a Yes/No question as Qt draws it, with the button texts given, so that a real-window
// scenario can compare the program's own question with it pixel for pixel.
//
//     question_stamp TITLE TEXT YES-TEXT NO-TEXT

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList words = QApplication::arguments();
    if (words.size() != 5)
        return 2;
    QMessageBox box(QMessageBox::NoIcon, words[1], words[2], QMessageBox::Yes | QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(words[3]);
    box.button(QMessageBox::No)->setText(words[4]);
    box.setDefaultButton(QMessageBox::Yes);
    box.show();
    return QApplication::exec();
}
