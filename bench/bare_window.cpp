// The baseline of the start-up benchmark: the least a Qt Widgets program does to show a window of
// the main window's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setFixedSize(395, 228);
  window.setWindowTitle("Lintavo");
  window.show();
  return application.exec();
}
