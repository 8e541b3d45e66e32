// tavrimen: the converter's window.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
#include <array>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "app/qt/form1.h"
#include "platform/ui_language.h"

namespace {

struct WindowTexts {
  std::string_view help;
  // Usage errors, each one line; {} is the argument at fault.
  std::string_view unknown_option;
  std::string_view missing_value;
  std::string_view unexpected_argument;
  // No display; {} says what DISPLAY and WAYLAND_DISPLAY hold.
  std::string_view no_display;
  std::string_view display_failed;
  std::string_view neither_display;
};

constexpr WindowTexts kEnglish{
    .help =
        "Usage: tavrimen [OPTION]...\n"
        "Open the converter's window: the boring data set of the folder picked on the left\n"
        "becomes one record file in the folder picked on the right, as the Execute button\n"
        "(実行) is pressed.\n"
        "\n"
        "  -h, --help   show this help and exit\n"
        "  --version    show the version and exit\n"
        "\n"
        "Qt's own options (-platform, -style, -reverse and the others that Qt documents)\n"
        "go to Qt. The window needs a display: DISPLAY or WAYLAND_DISPLAY, or a platform\n"
        "that needs none, as QT_QPA_PLATFORM=offscreen. The setting in PatdatV5.ini\n"
        "names the pattern-data folder. For scripts and batches, see tavrimen-convert.\n"
        "\n"
        "Exit status: 0 when the window was closed, 1 when it could not open (no display,\n"
        "no pattern-data setting), 2 for wrong usage.\n",
    .unknown_option = "unrecognized option '{}'; try 'tavrimen --help'.",
    .missing_value = "option '{}' requires an argument; try 'tavrimen --help'.",
    .unexpected_argument =
        "unexpected argument '{}': the window takes none; try 'tavrimen --help'.",
    .no_display = "no display to open the window on ({}).",
    .display_failed = "the window cannot open: Qt could not use the display ({}).",
    .neither_display = "neither DISPLAY nor WAYLAND_DISPLAY is set",
};

constexpr WindowTexts kJapanese{
    .help =
        "使い方: tavrimen [オプション]...\n"
        "変換プログラムのウィンドウを開きます。左で選んだフォルダのボーリングデータを、\n"
        "「実行」ボタンで右で選んだフォルダの記録ファイル 1 つに変換します。\n"
        "\n"
        "  -h, --help   この説明を表示して終了する\n"
        "  --version    バージョンを表示して終了する\n"
        "\n"
        "Qt のオプション（-platform、-style、-reverse など Qt の説明にあるもの）は Qt に\n"
        "渡します。ウィンドウにはディスプレイ（DISPLAY または WAYLAND_DISPLAY）か、\n"
        "QT_QPA_PLATFORM=offscreen のようにディスプレイのいらないプラットフォームが必要\n"
        "です。パターンデータのフォルダは PatdatV5.ini の設定で決まります。スクリプトや\n"
        "一括変換には tavrimen-convert を使ってください。\n"
        "\n"
        "終了ステータス: ウィンドウを閉じたときは 0、開けなかったとき（ディスプレイが\n"
        "ない、パターンデータの設定がない）は 1、使い方の誤りは 2。\n",
    .unknown_option = "不明なオプション '{}' です。詳しくは 'tavrimen --help' を実行してください。",
    .missing_value =
        "オプション '{}' には値が必要です。詳しくは 'tavrimen --help' を実行してください。",
    .unexpected_argument =
        "ウィンドウは引数 '{}' を取りません。詳しくは 'tavrimen --help' を実行してください。",
    .no_display = "ウィンドウを開くディスプレイがありません（{}）。",
    .display_failed = "ウィンドウを開けません。Qt がディスプレイを使えませんでした（{}）。",
    .neither_display = "DISPLAY も WAYLAND_DISPLAY も設定されていません",
};

const WindowTexts& Texts() {
  return tavrimen::platform::UserLanguage() == tavrimen::platform::Language::kJapanese ? kJapanese
                                                                                       : kEnglish;
}

// One line on standard error: "tavrimen: " and `text` with its "{}" replaced by `value`.
void Say(std::string_view text, std::string_view value) {
  std::string line(text);
  if (const auto at = line.find("{}"); at != std::string::npos) line.replace(at, 2, value);
  std::cerr << "tavrimen: " << line << std::endl;
}

// The options that QApplication takes from the command line, as Qt documents them, with one dash
// or two: flags, and options followed by a value ("-style fusion" or "-style=fusion").
constexpr std::array<std::string_view, 5> kQtFlags = {"reverse", "widgetcount", "nograb", "dograb",
                                                      "sync"};
constexpr std::array<std::string_view, 15> kQtValued = {"platform",
                                                        "platformpluginpath",
                                                        "platformtheme",
                                                        "plugin",
                                                        "qwindowgeometry",
                                                        "geometry",
                                                        "qwindowicon",
                                                        "icon",
                                                        "qwindowtitle",
                                                        "title",
                                                        "session",
                                                        "style",
                                                        "stylesheet",
                                                        "display",
                                                        "name"};

template <std::size_t N>
bool Listed(const std::array<std::string_view, N>& names, std::string_view name) {
  for (std::string_view listed : names) {
    if (listed == name) return true;
  }
  return false;
}

enum class Request { kWindow, kHelp, kVersion, kWrongUsage };

// What the command line asks for, in the order of its arguments; Qt's own options are left to Qt,
// and `platform` receives the value of -platform.
Request ReadCommandLine(int argc, char** argv, std::string& platform) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-h" || arg == "--help") return Request::kHelp;
    if (arg == "--version") return Request::kVersion;
    if (!arg.starts_with('-') || arg == "-") {
      Say(Texts().unexpected_argument, arg);
      return Request::kWrongUsage;
    }
    std::string_view name = arg.substr(arg.starts_with("--") ? 2 : 1);
    const auto equals = name.find('=');
    const bool has_value = equals != std::string_view::npos;
    if (has_value) name = name.substr(0, equals);
    if (Listed(kQtFlags, name) && !has_value) continue;
    if (!Listed(kQtValued, name)) {
      Say(Texts().unknown_option, arg);
      return Request::kWrongUsage;
    }
    if (!has_value && i + 1 == argc) {
      Say(Texts().missing_value, arg);
      return Request::kWrongUsage;
    }
    const std::string_view value = has_value ? arg.substr(arg.find('=') + 1) : argv[++i];
    if (name == "platform") platform = value;
  }
  return Request::kWindow;
}

// What DISPLAY and WAYLAND_DISPLAY hold, for the messages.
std::string DisplayVariables() {
  std::string shown;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    shown += (shown.empty() ? "" : ", ") + std::string(name) + "=" + value;
  }
  return shown.empty() ? std::string(Texts().neither_display) : shown;
}

// Whether the platform Qt will use needs a display that is not there: the default one (neither
// -platform nor QT_QPA_PLATFORM names another) with neither DISPLAY nor WAYLAND_DISPLAY set.
// Qt would abort inside QApplication's constructor.
bool DisplayMissing(const std::string& platform) {
#ifdef __linux__
  auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return platform.empty() && !set("QT_QPA_PLATFORM") && !set("DISPLAY") && !set("WAYLAND_DISPLAY");
#else
  (void)platform;
  return false;
#endif
}

// Qt's messages while the application starts are held back until it has started. When Qt cannot
// use the display, it reports that as a fatal message and aborts (status 134, a core dump); the
// program says so in one line instead, and ends with status 1.
struct HeldMessage {
  QtMsgType type;
  std::string category;
  QString text;
};
std::vector<HeldMessage> held_messages;
std::mutex held_messages_mutex;  // Qt's own threads may report while it starts

void HoldStartingMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    Say(Texts().display_failed, DisplayVariables());
    std::_Exit(1);
  }
  const std::lock_guard lock(held_messages_mutex);
  held_messages.push_back({type, context.category != nullptr ? context.category : "", text});
}

void ReleaseStartingMessages(QtMessageHandler previous) {
  qInstallMessageHandler(previous);
  const std::lock_guard lock(held_messages_mutex);
  for (const HeldMessage& message : held_messages) {
    const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
    qt_message_output(message.type, context, message.text);
  }
  held_messages.clear();
}

}  // namespace

int main(int argc, char** argv) {
  // Before the application, so that these answer without a display.
  std::string platform;
  switch (ReadCommandLine(argc, argv, platform)) {
    case Request::kHelp:
      std::cout << Texts().help << std::flush;
      return 0;
    case Request::kVersion:
      std::cout << "tavrimen " << TAVRIMEN_VERSION << std::endl;
      return 0;
    case Request::kWrongUsage:
      return 2;
    case Request::kWindow:
      break;
  }
  if (DisplayMissing(platform)) {
    Say(Texts().no_display, DisplayVariables());
    return 1;
  }
  const QtMessageHandler previous = qInstallMessageHandler(HoldStartingMessage);
  QApplication app(argc, argv);
  ReleaseStartingMessages(previous);
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
