// tavrimen: the converter's window.
#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/qt/form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTranslator translator;
  if (translator.load(QLocale(QLocale::Japanese), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&translator);
  }
  QApplication::setFont(tavrimen::gui::WindowFont());
  tavrimen::gui::Form1 form;
  if (!form.Form_Load()) return 1;
  form.show();
  return QApplication::exec();
}
