// tavrimen: the converter's window.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
#include <iostream>
#include <string_view>

#include "app/qt/form1.h"

int main(int argc, char** argv) {
  // Before the application, so that it answers without a display.
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << "tavrimen " << TAVRIMEN_VERSION << std::endl;
    return 0;
  }
  QApplication app(argc, argv);
  QTranslator translator;
  if (translator.load(QLocale(QLocale::Japanese), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&translator);
  }
  QApplication::setFont(tavrimen::gui::WindowFont());
  // The application icon, drawn from packaging/tavrimen.svg as the desktop entry's is.
  QApplication::setWindowIcon(QIcon(":/tavrimen.png"));
  tavrimen::gui::Form1 form;
  if (!form.Form_Load()) return 1;
  form.show();
  return QApplication::exec();
}
