<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>DealDialog</name>
    <message>
        <source>ゲーム番号</source>
        <translation>Game number</translation>
    </message>
    <message>
        <source>このゲームの番号</source>
        <translation>This game&apos;s number</translation>
    </message>
    <message>
        <source>遊ぶゲームの番号</source>
        <translation>Number of the game to play</translation>
    </message>
    <message>
        <source>1 から 999999999</source>
        <translation>1 to 999999999</translation>
    </message>
    <message>
        <source>入力の誤り</source>
        <translation>Input error</translation>
    </message>
    <message>
        <source>番号を入力</source>
        <translation>Enter a number</translation>
    </message>
    <message>
        <source>この番号で遊ぶ</source>
        <translation>Play this number</translation>
    </message>
    <message>
        <source>同じカードでもう一度</source>
        <translation>Same cards again</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>DealMenu</name>
    <message>
        <source>ゲーム番号</source>
        <translation>Game number</translation>
    </message>
</context>
<context>
    <name>LevelTableModel</name>
    <message>
        <source>レベル</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>カード数</source>
        <translation>Cards</translation>
    </message>
    <message>
        <source>対戦</source>
        <translation>Played</translation>
    </message>
    <message>
        <source>勝ち</source>
        <translation>Won</translation>
    </message>
    <message>
        <source>負け</source>
        <translation>Lost</translation>
    </message>
    <message>
        <source>引き分け</source>
        <translation>Drawn</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>勝率</source>
        <translation>Win rate</translation>
    </message>
    <message>
        <source>最長連勝</source>
        <translation>Best
streak</translation>
    </message>
    <message>
        <source>いまの連勝</source>
        <translation>Current
streak</translation>
    </message>
    <message>
        <source>勝った最少手数</source>
        <translation>Fewest
moves</translation>
    </message>
    <message>
        <source>レベル %1</source>
        <translation>Level %1</translation>
    </message>
    <message>
        <source>%1枚</source>
        <translation>%1 cards</translation>
    </message>
    <message>
        <source>記憶</source>
        <translation>Memory</translation>
    </message>
    <message>
        <source>完了した対戦で、覚えていればわかったペアを取れた割合の平均 (%1 対戦)。</source>
        <translation>Mean share of the pairs you could have known that you took, over finished rounds (%1 rounds).</translation>
    </message>
</context>
<context>
    <name>OpponentsTableModel</name>
    <message>
        <source>相手</source>
        <translation>Opponent</translation>
    </message>
    <message>
        <source>対戦</source>
        <translation>Played</translation>
    </message>
    <message>
        <source>勝ち</source>
        <translation>Won</translation>
    </message>
    <message>
        <source>負け</source>
        <translation>Lost</translation>
    </message>
    <message>
        <source>引き分け</source>
        <translation>Drawn</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>PaceMenu</name>
    <message>
        <source>速さ</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>ゆっくり</source>
        <translation>Slow</translation>
    </message>
    <message>
        <source>ふつう</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>はやく</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>キーで進める</source>
        <translation>Step by key</translation>
    </message>
    <message>
        <source>動きを減らす</source>
        <translation>Reduce motion</translation>
    </message>
</context>
<context>
    <name>RecentRoundsModel</name>
    <message>
        <source>中断</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>勝ち</source>
        <translation>Won</translation>
    </message>
    <message>
        <source>負け</source>
        <translation>Lost</translation>
    </message>
    <message>
        <source>引き分け</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>日時</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>レベル</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>カード数</source>
        <translation>Cards</translation>
    </message>
    <message>
        <source>あなたの札</source>
        <translation>Your cards</translation>
    </message>
    <message>
        <source>コンピュータの札</source>
        <translation>Computer&apos;s cards</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>ゲーム番号</source>
        <translation>Game number</translation>
    </message>
    <message>
        <source>yyyy/MM/dd HH:mm</source>
        <translation>yyyy-MM-dd HH:mm</translation>
    </message>
    <message>
        <source>対 %1</source>
        <translation>vs %1</translation>
    </message>
</context>
<context>
    <name>RecordsMenu</name>
    <message>
        <source>記録</source>
        <translation>Records</translation>
    </message>
</context>
<context>
    <name>RecordsWindow</name>
    <message>
        <source>記録</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>プレーヤー</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>プレーヤー(&amp;P)</source>
        <translation>&amp;Player</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>レベルとカード数ごとの成績</source>
        <translation>Results by level and card count</translation>
    </message>
    <message>
        <source>グラフのカード数</source>
        <translation>Cards in the chart</translation>
    </message>
    <message>
        <source>カード数 %1枚</source>
        <translation>%1 cards</translation>
    </message>
    <message>
        <source>グラフ(&amp;G)</source>
        <translation>&amp;Graph</translation>
    </message>
    <message>
        <source>最近の対戦</source>
        <translation>Recent games</translation>
    </message>
    <message>
        <source>この記録を消す(&amp;D)</source>
        <translation>&amp;Delete these records</translation>
    </message>
    <message>
        <source>この記録を消す</source>
        <translation>Delete these records</translation>
    </message>
    <message>
        <source>CSV に書き出す(&amp;E)</source>
        <translation>&amp;Export as CSV</translation>
    </message>
    <message>
        <source>CSV に書き出す</source>
        <translation>Export as CSV</translation>
    </message>
    <message>
        <source>この番号でもう一度(&amp;R)</source>
        <translation>&amp;Replay this number</translation>
    </message>
    <message>
        <source>この番号でもう一度</source>
        <translation>Replay this number</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>最近の %1 対戦</source>
        <translation>Last %1 games</translation>
    </message>
    <message>
        <source>記録は新しい版のゲームで書かれているため、読むことも書き足すこともできません。</source>
        <translation>The records were written by a newer version of the game, so they cannot be read or added to.</translation>
    </message>
    <message>
        <source>記録を読めません。</source>
        <translation>Cannot read the records.</translation>
    </message>
    <message>
        <source>「%1」の記録をすべて消します。よろしいですか。</source>
        <translation>Delete all records of “%1”?</translation>
    </message>
    <message>
        <source>記録を消せませんでした。</source>
        <translation>Could not delete the records.</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>%1 に書き出しました。</source>
        <translation>Exported to %1.</translation>
    </message>
    <message>
        <source>%1 に書き出せませんでした。</source>
        <translation>Could not export to %1.</translation>
    </message>
    <message>
        <source>振り返る(&amp;V)</source>
        <translation>Re&amp;view</translation>
    </message>
    <message>
        <source>振り返る</source>
        <translation>Review</translation>
    </message>
    <message>
        <source>この対戦は手の記録がないため、振り返ることができません。</source>
        <translation>This round was recorded without its moves, so it cannot be reviewed.</translation>
    </message>
    <message>
        <source>人との対戦</source>
        <translation>Rounds against people</translation>
    </message>
</context>
<context>
    <name>ReviewWindow</name>
    <message>
        <source>振り返り</source>
        <translation>Review</translation>
    </message>
    <message>
        <source>見逃したペア %1・記憶 %2</source>
        <translation>Missed pairs %1 · Memory %2</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>見逃したペアと記憶</source>
        <translation>Missed pairs and memory</translation>
    </message>
    <message>
        <source>この番号でもう一度(&amp;R)</source>
        <translation>&amp;Replay this number</translation>
    </message>
    <message>
        <source>この番号でもう一度</source>
        <translation>Replay this number</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>この対戦は手の記録がないため、振り返ることができません。</source>
        <translation>This round was recorded without its moves, so it cannot be reviewed.</translation>
    </message>
    <message>
        <source>テーブル</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>取った枚数</source>
        <translation>Cards taken</translation>
    </message>
    <message>
        <source>手の一覧</source>
        <translation>Moves</translation>
    </message>
    <message>
        <source>前へ</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>手</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>番</source>
        <translation>Who</translation>
    </message>
    <message>
        <source>1 枚目</source>
        <translation>First card</translation>
    </message>
    <message>
        <source>2 枚目</source>
        <translation>Second card</translation>
    </message>
    <message>
        <source>ペア</source>
        <translation>Pair</translation>
    </message>
    <message>
        <source>評価</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>あなた</source>
        <translation>You</translation>
    </message>
    <message>
        <source>コンピュータ</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>見逃したペア</source>
        <translation>Missed pair</translation>
    </message>
    <message>
        <source>記憶から</source>
        <translation>From memory</translation>
    </message>
    <message>
        <source>でたらめ</source>
        <translation>At random</translation>
    </message>
    <message>
        <source>・</source>
        <translation> · </translation>
    </message>
    <message>
        <source>%1 手目：%2</source>
        <translation>Move %1: %2</translation>
    </message>
    <message>
        <source>ペアではありません</source>
        <translation>not a pair</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>あなた %1 枚・コンピュータ %2 枚</source>
        <translation>You %1 cards · Computer %2 cards</translation>
    </message>
    <message>
        <source>ペア</source>
        <comment>in a sentence</comment>
        <translation>pair</translation>
    </message>
    <message>
        <source>カード %1、%2</source>
        <comment>in a sentence</comment>
        <translation>card %1, %2</translation>
    </message>
    <message>
        <source>あなた</source>
        <comment>in a sentence</comment>
        <translation>you</translation>
    </message>
    <message>
        <source>コンピュータ</source>
        <comment>in a sentence</comment>
        <translation>the computer</translation>
    </message>
    <message>
        <source>見逃したペア</source>
        <comment>in a sentence</comment>
        <translation>missed pair</translation>
    </message>
    <message>
        <source>記憶から</source>
        <comment>in a sentence</comment>
        <translation>from memory</translation>
    </message>
    <message>
        <source>でたらめ</source>
        <comment>in a sentence</comment>
        <translation>at random</translation>
    </message>
    <message>
        <source>%1 %2 枚・%3 %4 枚</source>
        <translation>%1 %2 cards, %3 %4 cards</translation>
    </message>
</context>
<context>
    <name>SoundMenu</name>
    <message>
        <source>音</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>音を出す</source>
        <translation>Sound on</translation>
    </message>
    <message>
        <source>音: オン</source>
        <translation>Sound: on</translation>
    </message>
    <message>
        <source>音: オフ</source>
        <translation>Sound: off</translation>
    </message>
    <message>
        <source>大</source>
        <translation>Loud</translation>
    </message>
    <message>
        <source>中</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>小</source>
        <translation>Soft</translation>
    </message>
</context>
<context>
    <name>WinRateChart</name>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>レベルごとの勝率のグラフ</source>
        <translation>Chart of win rates by level</translation>
    </message>
    <message>
        <source>。</source>
        <translation>. </translation>
    </message>
    <message>
        <source>レベル %1</source>
        <translation>Level %1</translation>
    </message>
    <message>
        <source>あなたの勝率 (縦線は ±1 標準誤差)</source>
        <translation>Your win rate (the line: ±1 standard error)</translation>
    </message>
    <message>
        <source>一度見たカードを忘れないプレーヤーの勝率 (同じレベルとカード数)</source>
        <translation>Win rate of a player who never forgets a card (same level and cards)</translation>
    </message>
    <message>
        <source>でたらめにめくるプレーヤーの勝率</source>
        <translation>Win rate of a player who turns cards at random</translation>
    </message>
    <message>
        <source>%1回中%2勝</source>
        <translation>%2 of %1</translation>
    </message>
    <message>
        <source>± は 1 標準誤差です。</source>
        <translation>± is one standard error.</translation>
    </message>
    <message>
        <source>レベル %1: あなた %2、忘れないプレーヤー %3、でたらめにめくるプレーヤー %4</source>
        <translation>Level %1: you %2, player who never forgets %3, player at random %4</translation>
    </message>
</context>
</TS>
