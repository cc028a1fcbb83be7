#include "app/ui_tables.h"

#include <map>

#include "app/command_ids.h"

namespace orbline {

const std::vector<MenuPopup>& MenuTable() {
  static const std::vector<MenuPopup> table = [] {
    std::vector<MenuPopup> t = {
        {QStringLiteral(u"ﾌｧｲﾙ(&F)"),
         {{QStringLiteral(u"コンパイル\tF9"), ID_FILE_COMPILE},
          {QStringLiteral(u"設定\tCtrl+O"), ID_FILE_SETTINGS},
          {},
          {QStringLiteral(u"印刷(&P)...\tCtrl+P"), ID_FILE_PRINT},
          {QStringLiteral(u"印刷ﾌﾟﾚﾋﾞｭｰ(&V)"), ID_FILE_PRINT_PREVIEW},
          {QStringLiteral(u"ﾌﾟﾘﾝﾀの設定(&R)..."), ID_FILE_PRINT_SETUP},
          {QStringLiteral(u"エディタの設定(&E)..."), ID_FILE_EDITOR},  // added, but ending stays last
          {},
          {QStringLiteral(u"ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"), ID_APP_EXIT}}},
        {QStringLiteral(u"テスト(&T)"),
         {{QStringLiteral(u"路線情報\tF2"), ID_TEST_INFO},
          {QStringLiteral(u"種別\tF3"), ID_TEST_KIND},
          {QStringLiteral(u"駅\tF4"), ID_TEST_EKI},
          {},
          {QStringLiteral(u"鳥瞰図\tF5"), ID_TEST_BIRDSEYE},
          {QStringLiteral(u"ダイアグラム\tF6"), ID_TEST_DIAGRAM},
          {QStringLiteral(u"路線図\tF7"), ID_TEST_ROUTEMAP},
          {},
          {QStringLiteral(u"時刻表\tF8"), ID_TEST_TIMETABLE}}},
        {QStringLiteral(u"表示(&V)"),
         {{QStringLiteral(u"ﾂｰﾙ ﾊﾞｰ(&T)"), ID_VIEW_TOOLBAR},
          {QStringLiteral(u"ｽﾃｰﾀｽ ﾊﾞｰ(&S)"), ID_VIEW_STATUS_BAR},
          {QStringLiteral(u"グリッドの表示(&G)"), ID_VIEW_GRID},
          {}}},
        {QStringLiteral(u"ﾍﾙﾌﾟ(&H)"), {{QStringLiteral(u"ﾊﾞｰｼﾞｮﾝ情報(Orbline) (&A)..."), ID_APP_ABOUT}}},
    };
    for (int p = 1; p <= kPageCount; ++p)
      t[2].items.push_back({QStringLiteral("Map %1\tShift+F%1").arg(p), kMapPageIds[p - 1]});
    t[2].items.push_back({});
    t[2].items.push_back({QStringLiteral(u"問題の一覧(&L)"), ID_VIEW_PROBLEMS});
    t[2].items.push_back({QStringLiteral(u"自動再読み込み(&R)"), ID_VIEW_AUTO_RELOAD});
    return t;
  }();
  return table;
}

const std::vector<Accelerator>& AcceleratorTable() {
  static const std::vector<Accelerator> table = [] {
    // clang-format off
    std::vector<Accelerator> t = {
        {QKeySequence(Qt::CTRL | Qt::Key_O), ID_FILE_SETTINGS}, {QKeySequence(Qt::Key_F2), ID_TEST_INFO},
        {QKeySequence(Qt::Key_F3), ID_TEST_KIND},               {QKeySequence(Qt::Key_F4), ID_TEST_EKI},
        {QKeySequence(Qt::Key_F5), ID_TEST_BIRDSEYE},           {QKeySequence(Qt::Key_F6), ID_TEST_DIAGRAM},
        {QKeySequence(Qt::Key_F7), ID_TEST_ROUTEMAP},           {QKeySequence(Qt::Key_F8), ID_TEST_TIMETABLE},
        {QKeySequence(Qt::Key_F9), ID_FILE_COMPILE},
    };
    // clang-format on
    for (int p = 1; p <= kPageCount; ++p)
      t.push_back({QKeySequence(Qt::SHIFT | Qt::Key(Qt::Key_F1 + p - 1)), kMapPageIds[p - 1]});
    return t;
  }();
  return table;
}

const std::vector<int>& ToolBarTable() {
  // clang-format off
  static const std::vector<int> table = {
      ID_FILE_COMPILE, ID_FILE_SETTINGS, 0,
      ID_TEST_INFO, ID_TEST_KIND, ID_TEST_EKI, ID_TEST_BIRDSEYE, ID_TEST_DIAGRAM, ID_TEST_ROUTEMAP, ID_TEST_TIMETABLE, 0,
      ID_VIEW_MAP1, ID_VIEW_MAP2, ID_VIEW_MAP3, ID_VIEW_MAP4, ID_VIEW_MAP5, ID_VIEW_MAP6, ID_VIEW_MAP7, ID_VIEW_MAP8};
  // clang-format on
  return table;
}

QString ToolBarImage(int id) {
  static const std::map<int, const char*> names = {
      {ID_FILE_COMPILE, "01-compile"}, {ID_FILE_SETTINGS, "02-settings"},  {ID_TEST_INFO, "03-route-info"},
      {ID_TEST_KIND, "04-kinds"},      {ID_TEST_EKI, "05-stations"},       {ID_TEST_BIRDSEYE, "06-birds-eye"},
      {ID_TEST_DIAGRAM, "07-diagram"}, {ID_TEST_ROUTEMAP, "08-route-map"}, {ID_TEST_TIMETABLE, "09-timetable"},
      {ID_VIEW_MAP1, "10-map1"},       {ID_VIEW_MAP2, "11-map2"},          {ID_VIEW_MAP3, "12-map3"},
      {ID_VIEW_MAP4, "13-map4"},       {ID_VIEW_MAP5, "14-map5"},          {ID_VIEW_MAP6, "15-map6"},
      {ID_VIEW_MAP7, "16-map7"},       {ID_VIEW_MAP8, "17-map8"}};
  auto it = names.find(id);
  return it == names.end() ? QString()
                           : QLatin1String(":/orbline/toolbar/") + QLatin1String(it->second) + QLatin1String(".png");
}

QString PromptString(int id) {
  static const std::map<int, QString> prompts = [] {
    std::map<int, QString> m = {
        {ID_FILE_COMPILE, QStringLiteral(u"コンパイルし、ZKFファイル(*.zkf)を作成します。\nコンパイル")},
        {ID_TEST_INFO, QStringLiteral(u"路線情報(info.txt)のテスト\n路線情報")},
        {ID_TEST_KIND, QStringLiteral(u"種別(kind.txt)のテスト\n種別")},
        {ID_TEST_EKI, QStringLiteral(u"駅(eki.txt)のテスト\n駅")},
        {ID_TEST_BIRDSEYE, QStringLiteral(u"鳥瞰図(map.txt)のテスト\n鳥瞰図")},
        {ID_TEST_DIAGRAM, QStringLiteral(u"ダイアグラム(map.txt)のテスト\nダイアグラム")},
        {ID_TEST_ROUTEMAP, QStringLiteral(u"路線図(map.txt)のテスト\n路線図")},
        {ID_TEST_TIMETABLE, QStringLiteral(u"時刻表(data?.txt)のテスト\n時刻表")},
        {ID_VIEW_GRID, QStringLiteral(u"グリッドの表示\nグリッド")},
        {ID_FILE_SETTINGS, QStringLiteral(u"読みとりに関する設定をします\n設定")},
        {ID_FILE_PRINT, QStringLiteral(u"作業中のﾌｧｲﾙを印刷\n印刷")},
        {ID_FILE_PRINT_PREVIEW, QStringLiteral(u"ﾌﾙｽｸﾘｰﾝで表示\n印刷ﾌﾟﾚﾋﾞｭｰ")},
        {ID_FILE_PRINT_SETUP, QStringLiteral(u"ﾌﾟﾘﾝﾀ/印刷設定の変更\nﾌﾟﾘﾝﾀの設定")},
        {ID_APP_EXIT, QStringLiteral(u"ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了")},
        {ID_VIEW_TOOLBAR, QStringLiteral(u"ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰの表示/非表示")},
        {ID_VIEW_STATUS_BAR, QStringLiteral(u"ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示/非表示")},
        {ID_APP_ABOUT, QStringLiteral(u"ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報")},
        {ID_FILE_EDITOR, QStringLiteral(u"問題の行を開くエディタを設定します\nエディタの設定")},
        {ID_VIEW_PROBLEMS, QStringLiteral(u"問題の一覧の表示/非表示\n問題の一覧")},
        {ID_VIEW_AUTO_RELOAD, QStringLiteral(u"保存されたソースファイルを読み直して表示し直します\n自動再読み込み")},
    };
    for (int p = 1; p <= kPageCount; ++p) m[kMapPageIds[p - 1]] = QStringLiteral(u"マップ%1を表示\nMap %1").arg(p);
    return m;
  }();
  auto it = prompts.find(id);
  return it == prompts.end() ? QString() : it->second;
}

QString StatusPrompt(int id) { return PromptString(id).section(QLatin1Char('\n'), 0, 0); }
QString ToolTipText(int id) { return PromptString(id).section(QLatin1Char('\n'), 1, 1); }

QString ApplicationTitle() { return QStringLiteral("Orbline"); }
QString WindowCaption() { return QStringLiteral("Zelkor Maker"); }
QString IdleText() { return QStringLiteral(u"ﾚﾃﾞｨ"); }

const ProblemsTexts& ProblemsText() {
  static const ProblemsTexts texts = {
      QStringLiteral(u"問題の一覧"),
      {QStringLiteral(u"種類"), QStringLiteral(u"ファイル"), QStringLiteral(u"行"), QStringLiteral(u"コード"),
       QStringLiteral(u"内容")},
      QStringLiteral(u"エラー"),
      QStringLiteral(u"警告"),
      QStringLiteral(u"エラー %1 件、警告 %2 件"),
  };
  return texts;
}

const EditorTexts& EditorText() {
  static const EditorTexts texts = {
      QStringLiteral(u"エディタの設定"),
      QStringLiteral(u"問題の行を開くコマンド(&C):"),
      QStringLiteral(u"{file} はファイル名に、{line} は行番号に置き換わります。\n"
                     u"空欄のときは、デスクトップでテキストを開くアプリケーションで開きます。"),
      QStringLiteral(u"エディタで開けませんでした。\n%1"),
  };
  return texts;
}

const RowMenuTexts& RowMenuText() {
  static const RowMenuTexts texts = {
      QStringLiteral(u"%1:%2 をエディタで開く(&E)"),
      QStringLiteral(u"エディタで開く(&E)"),
  };
  return texts;
}

}  // namespace orbline
