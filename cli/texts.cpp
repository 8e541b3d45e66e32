#include "cli/texts.h"

namespace tavrimen::cli {
namespace {

constexpr CliTexts kEnglish = {
    .help =
        "Usage: tavrimen-convert [OPTION]... SOURCE... DESTINATION\n"
        "  or:  tavrimen-convert [OPTION]... --all=ROOT DESTINATION\n"
        "  or:  tavrimen-convert [OPTION]... --check SOURCE...\n"
        "Convert the boring data set in each folder SOURCE into one record file,\n"
        "DESTINATION/<name of SOURCE>, exactly as the window's Execute button does.\n"
        "A SOURCE may also be a boring XML file of the electronic delivery (root element\n"
        "ボーリング情報), or a folder of them such as a delivery's BORING/DATA: each\n"
        "becomes DESTINATION/<boring name>, with the names the file gives.\n"
        "\n"
        "  --patdat=DIR     the pattern-data folder (default: the setting in PatdatV5.ini)\n"
        "  --yes, --no      the answer when DESTINATION must be created (default: ask on\n"
        "                   a terminal, otherwise no)\n"
        "  -j, --jobs=N     convert N borings at a time, 1 to 256 (default: the number of\n"
        "                   cores)\n"
        "  --all=ROOT       convert every folder below ROOT that holds an X1.txt, and\n"
        "                   every boring XML file there\n"
        "  --check          check the data sets without converting or changing anything;\n"
        "                   findings as FILE:LINE:COLUMN: SEVERITY: MESSAGE\n"
        "  --format=FORMAT  text (the default) or json, for the results and for the\n"
        "                   findings of --check\n"
        "  --svg=DIR        draw each boring converted as DIR/<record file>.svg, and for\n"
        "                   several borings an overview DIR/index.html\n"
        "  -h, --help       show this help and exit\n"
        "  --version        show the version and exit\n"
        "\n"
        "Paths may be native (/home/me/B-1, ~/B-1, B-1) or in drive form (Z:\\home\\me\\B-1).\n"
        "Results go to standard output; messages, progress and diagnostics to standard\n"
        "error.\n"
        "\n"
        "Exit status: 0 when every boring was converted (or no errors were found), 1\n"
        "otherwise, 2 for wrong usage, 128+N when signal N interrupted a batch.\n",
    .try_help = "Try 'tavrimen-convert --help'.",
    .unknown_option = "unrecognized option '{}'",
    .missing_value = "option '{}' requires an argument",
    .value_not_allowed = "option '{}' doesn't allow an argument",
    .bad_jobs = "invalid number of jobs '{}' (1 to 256)",
    .bad_format = "invalid format '{}' (text or json)",
    .yes_and_no = "'--yes' and '--no' cannot be given together",
    .not_with_check = "'{}' cannot be used with '--check'",
    .missing_destination = "missing destination folder after '{}'",
    .missing_folders = "missing source and destination folders",
    .missing_check_folder = "missing folder to check",
    .patdat_given = "the pattern-data folder given: {}",
    .settings_missing = "the settings file {} does not exist",
    .settings_empty = "the settings file {} is empty",
    .settings_no_folder = "the settings file {} names no folder on its second line",
    .settings_folder_missing = "the settings file {} names the folder {}, which does not exist",
    .progress = "{}/{}  converted {}  refused {}  failed {}  {}/s  {} left",
    .summary = "converted {}, refused {}, failed {}",
    .summary_pictures = "; pictures not written {}",
    .folder_to_create = "the folder to create: {}",
    .yes_hint = "give --yes to create it without being asked",
    .pictures_in_destination =
        "the picture folder {} is the destination folder: record files and pictures cannot "
        "share it",
    .refused = "refused: {}: {}",
    .failed = "failed: {}: {}",
    .interrupted = "interrupted; borings not converted: {}",
    .same_record_name = "the record file \"{}\" is made from {}; not converted.",
    .cannot_search = "cannot search the folder. {}",
    .no_borings = "no folder with an X1.txt and no boring XML file found.",
    .yes = "yes",
    .no = "no",
    .check_summary = "checked: borings {}, files {}; errors {}, warnings {}, notes {}",
    .picture_not_written = "cannot write {}: {}",
    .picture_not_drawn = "cannot draw the picture of {}: {}",
    .out_of_memory = "not enough memory",
    .index_language = "en",
    .index_title = "Overview of the batch's borings",
    .index_run_at = "Run at",
    .index_destination = "Record files in",
    .index_sources = "Sources in",
    .index_picture = "Log",
    .index_boring = "Boring",
    .index_site = "Site",
    .index_record_file = "Record file",
    .index_outcome = "Outcome",
    .index_message = "Message",
    .index_no_picture = "no picture",
    .converted = "converted",
    .refused_word = "refused",
    .failed_word = "failed",
};

constexpr CliTexts kJapanese = {
    .help =
        "使い方: tavrimen-convert [オプション]... 変換元... 変換先\n"
        "   または: tavrimen-convert [オプション]... --all=フォルダ 変換先\n"
        "   または: tavrimen-convert [オプション]... --check 変換元...\n"
        "変換元の各フォルダにあるボーリングデータを、ウィンドウの「実行」ボタンと同じように\n"
        "記録ファイル 変換先/<変換元のフォルダ名> に変換します。\n"
        "変換元には電子納品のボーリング交換用 XML（ルート要素 ボーリング情報）のファイルや、\n"
        "それを集めたフォルダ（BORING/DATA など）も指定できます。各ボーリングは\n"
        "変換先/<ボーリング名> になり、名前は XML に書かれたものを使います。\n"
        "\n"
        "  --patdat=フォルダ  パターンデータのフォルダ（既定: PatdatV5.ini の設定）\n"
        "  --yes, --no        変換先フォルダがないときの答え（既定: 端末なら尋ねる、\n"
        "                     それ以外は no）\n"
        "  -j, --jobs=N       N 件ずつ同時に変換する、1 から 256（既定: CPU のコア数）\n"
        "  --all=フォルダ     フォルダの下で X1.txt のあるフォルダと、ボーリング XML を\n"
        "                     すべて変換する\n"
        "  --check            変換せず、何も変えずにデータを検査する。結果は\n"
        "                     ファイル:行:桁: 重大度: メッセージ の形\n"
        "  --format=形式      text（既定）または json。変換と --check の結果の形式\n"
        "  --svg=フォルダ     変換した各ボーリングの柱状図を フォルダ/<記録ファイル名>.svg に\n"
        "                     描く。複数のときは一覧 フォルダ/index.html も作る\n"
        "  -h, --help         この説明を表示して終了する\n"
        "  --version          バージョンを表示して終了する\n"
        "\n"
        "パスは Linux の形（/home/me/B-1、~/B-1、B-1）でもドライブの形（Z:\\home\\me\\B-1）\n"
        "でも指定できます。結果は標準出力に、メッセージ・進み具合・診断は標準エラー出力に\n"
        "出ます。\n"
        "\n"
        "終了ステータス: すべて変換した（エラーがなかった）とき 0、それ以外は 1、\n"
        "使い方の誤りは 2、シグナル N で中断したときは 128+N。\n",
    .try_help = "詳しくは 'tavrimen-convert --help' を実行してください。",
    .unknown_option = "不明なオプション '{}' です。",
    .missing_value = "オプション '{}' には値が必要です。",
    .value_not_allowed = "オプション '{}' に値は指定できません。",
    .bad_jobs = "同時に変換する件数 '{}' が正しくありません（1 から 256）。",
    .bad_format = "形式 '{}' が正しくありません（text または json）。",
    .yes_and_no = "'--yes' と '--no' は同時に指定できません。",
    .not_with_check = "'{}' は '--check' と同時に指定できません。",
    .missing_destination = "'{}' の後に変換先フォルダがありません。",
    .missing_folders = "変換元と変換先のフォルダを指定してください。",
    .missing_check_folder = "検査するフォルダを指定してください。",
    .patdat_given = "指定されたパターンデータフォルダ: {}",
    .settings_missing = "設定ファイル {} がありません。",
    .settings_empty = "設定ファイル {} が空です。",
    .settings_no_folder = "設定ファイル {} の 2 行目にフォルダがありません。",
    .settings_folder_missing = "設定ファイル {} が指定するフォルダ {} がありません。",
    .progress = "{}/{} 件  変換 {}  拒否 {}  失敗 {}  {} 件/秒  残り {}",
    .summary = "変換 {} 件、拒否 {} 件、失敗 {} 件",
    .summary_pictures = "（柱状図を書けなかったもの {} 件）",
    .folder_to_create = "作成するフォルダ: {}",
    .yes_hint = "確認せずに作成するには --yes を付けてください。",
    .pictures_in_destination =
        "図のフォルダ {} は変換先と同じです。記録ファイルと図は同じフォルダに置けません。",
    .refused = "拒否: {}: {}",
    .failed = "失敗: {}: {}",
    .interrupted = "中断: 残りの {} 件は変換していません。",
    .same_record_name = "同じ名前の記録ファイル「{}」を {} から作成するため、変換しません。",
    .cannot_search = "フォルダを検索できません。{}",
    .no_borings = "X1.txt のあるフォルダもボーリング XML も見つかりません。",
    .yes = "はい",
    .no = "いいえ",
    .check_summary = "検査: ボーリング {} 件、ファイル {} 個、エラー {} 件、警告 {} 件、注意 {} 件",
    .picture_not_written = "{} を書き込めません: {}",
    .picture_not_drawn = "{} の柱状図を描けません: {}",
    .out_of_memory = "メモリが足りません。",
    .index_language = "ja",
    .index_title = "一括変換のボーリング一覧",
    .index_run_at = "実行日時",
    .index_destination = "変換先",
    .index_sources = "変換元",
    .index_picture = "柱状図",
    .index_boring = "ボーリング",
    .index_site = "調査位置",
    .index_record_file = "記録ファイル",
    .index_outcome = "結果",
    .index_message = "メッセージ",
    .index_no_picture = "柱状図なし",
    .converted = "変換済",
    .refused_word = "拒否",
    .failed_word = "失敗",
};

}  // namespace

const CliTexts& TextsFor(platform::Language language) {
  return language == platform::Language::kJapanese ? kJapanese : kEnglish;
}

std::string Fill(std::string_view text, std::initializer_list<std::string_view> values) {
  std::string filled;
  auto value = values.begin();
  for (std::size_t at = 0;;) {
    const std::size_t hole = text.find("{}", at);
    if (hole == text.npos || value == values.end()) return filled.append(text.substr(at));
    filled.append(text.substr(at, hole - at)).append(*value++);
    at = hole + 2;
  }
}

}  // namespace tavrimen::cli
