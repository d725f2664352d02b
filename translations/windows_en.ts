<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Announcements</name>
    <message>
        <source>スペード</source>
        <translation>spades</translation>
    </message>
    <message>
        <source>クラブ</source>
        <translation>clubs</translation>
    </message>
    <message>
        <source>ハート</source>
        <translation>hearts</translation>
    </message>
    <message>
        <source>ダイヤ</source>
        <translation>diamonds</translation>
    </message>
    <message>
        <source>エース</source>
        <translation>ace</translation>
    </message>
    <message>
        <source> 2</source>
        <extracomment>A number card&apos;s rank, after the suit: English writes it as a word (&quot;two&quot;).</extracomment>
        <translation>two</translation>
    </message>
    <message>
        <source> 3</source>
        <translation>three</translation>
    </message>
    <message>
        <source> 4</source>
        <translation>four</translation>
    </message>
    <message>
        <source> 5</source>
        <translation>five</translation>
    </message>
    <message>
        <source> 6</source>
        <translation>six</translation>
    </message>
    <message>
        <source> 7</source>
        <translation>seven</translation>
    </message>
    <message>
        <source> 8</source>
        <translation>eight</translation>
    </message>
    <message>
        <source> 9</source>
        <translation>nine</translation>
    </message>
    <message>
        <source> 10</source>
        <translation>ten</translation>
    </message>
    <message>
        <source>ジャック</source>
        <translation>jack</translation>
    </message>
    <message>
        <source>クイーン</source>
        <translation>queen</translation>
    </message>
    <message>
        <source>キング</source>
        <translation>king</translation>
    </message>
    <message>
        <source>カード %1、裏</source>
        <translation>Card %1, face down</translation>
    </message>
    <message>
        <source>%1の%2</source>
        <extracomment>%1 the suit, %2 the rank: &quot;ハートの 7&quot; is &quot;seven of hearts&quot;.</extracomment>
        <translation>%2 of %1</translation>
    </message>
    <message>
        <source>カード %1、%2</source>
        <translation>Card %1, %2</translation>
    </message>
    <message>
        <source>あなたの番です</source>
        <translation>Your turn</translation>
    </message>
    <message>
        <source>コンピュータの番です</source>
        <translation>Computer&apos;s turn</translation>
    </message>
    <message>
        <source>サイコロは %1。あなたが先攻です</source>
        <translation>Dice: %1. You go first</translation>
    </message>
    <message>
        <source>サイコロは %1。コンピュータが先攻です</source>
        <translation>Dice: %1. The computer goes first</translation>
    </message>
    <message>
        <source>コンピュータ: カード %1、%2</source>
        <extracomment>%1 the card&apos;s place, %2 the card in words.</extracomment>
        <translation>Computer: card %1, %2</translation>
    </message>
    <message>
        <source>ペア！ あなたが取りました。あなた %1 枚、コンピュータ %2 枚</source>
        <extracomment>%1 the player&apos;s cards, %2 the computer&apos;s.</extracomment>
        <translation>Pair. You took it. You %1, computer %2</translation>
    </message>
    <message>
        <source>ペア。コンピュータが取りました。あなた %1 枚、コンピュータ %2 枚</source>
        <translation>Pair. The computer took it. You %1, computer %2</translation>
    </message>
    <message>
        <source>ペアではありません</source>
        <translation>No pair</translation>
    </message>
    <message>
        <source>%1。あなた %2 枚、コンピュータ %3 枚</source>
        <extracomment>%1 the result line (&quot;Draw&quot;, &quot;Taro wins&quot;), %2 the player&apos;s cards, %3 the computer&apos;s.</extracomment>
        <translation>%1. You %2, computer %3</translation>
    </message>
    <message>
        <source>続きから：あなた %1 枚、コンピューター %2 枚、%3</source>
        <extracomment>%1 the player&apos;s cards, %2 the computer&apos;s, %3 whose turn it is (&quot;あなたの番です&quot;).</extracomment>
        <translation>Continuing your last game: you %1 cards, computer %2 cards. %3</translation>
    </message>
    <message>
        <source>サイコロは %1。%2 さんが先攻です</source>
        <extracomment>%1 the dice&apos;s face, %2 the name of the player who starts.</extracomment>
        <translation>The dice shows %1. %2 goes first</translation>
    </message>
    <message>
        <source>%1 さんの番です</source>
        <translation>%1&apos;s turn</translation>
    </message>
    <message>
        <source>%1: カード %2、%3</source>
        <extracomment>%1 who turned the card, %2 the card&apos;s place, %3 the card in words.</extracomment>
        <translation>%1: card %2, %3</translation>
    </message>
    <message>
        <source>ペア！ %1 さんが取りました。%2</source>
        <translation>A pair! %1 takes it. %2</translation>
    </message>
    <message>
        <source>%1 %2 枚、%3 %4 枚</source>
        <extracomment>Both players&apos; cards: %1 the first&apos;s name, %2 their cards, %3 the second&apos;s name, %4 theirs.</extracomment>
        <translation>%1 %2 cards, %3 %4 cards</translation>
    </message>
    <message>
        <source>続きから：%1、%2</source>
        <extracomment>%1 both players&apos; cards, %2 whose turn it is.</extracomment>
        <translation>Continuing your last game: %1. %2</translation>
    </message>
    <message>
        <source>%1。%2</source>
        <extracomment>%1 the result line (&quot;Hanako wins&quot;), %2 both players&apos; cards.</extracomment>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>キーで次へ</source>
        <translation>Press a key to go on</translation>
    </message>
</context>
<context>
    <name>DealNumber</name>
    <message>
        <source>番号を入力してください。</source>
        <translation>Please enter a number.</translation>
    </message>
    <message>
        <source>番号は数字だけで入力してください。</source>
        <translation>Please enter digits only.</translation>
    </message>
    <message>
        <source>番号は 1 から 999999999 までです。</source>
        <translation>The number must be from 1 to 999999999.</translation>
    </message>
</context>
<context>
    <name>GameWindow</name>
    <message>
        <source>サイコロをクリック</source>
        <translation>Click the dice</translation>
    </message>
    <message>
        <source>１・３・５ ＝ あなたが先攻</source>
        <translation>1, 3, 5: you go first</translation>
    </message>
    <message>
        <source>クリックでストップ</source>
        <translation>Click to stop</translation>
    </message>
    <message>
        <source>あなたが先攻です</source>
        <translation>You go first</translation>
    </message>
    <message>
        <source>コンピュータが先攻です</source>
        <translation>Computer goes first</translation>
    </message>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>引き分け</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>%1 さんの勝ち</source>
        <translation>%1 wins</translation>
    </message>
    <message>
        <source>コンピュータの勝ち</source>
        <translation>Computer wins</translation>
    </message>
    <message>
        <source>カード枚数</source>
        <translation>Cards</translation>
    </message>
    <message>
        <source>枚</source>
        <extracomment>The unit after a count of cards; English has none and writes a single space.</extracomment>
        <translation> </translation>
    </message>
    <message>
        <source>カードの裏 %1</source>
        <translation>Card back %1</translation>
    </message>
    <message>
        <source>レベル %1 に挑戦する</source>
        <translation>Try level %1</translation>
    </message>
    <message>
        <source>カードを選択してください</source>
        <translation>Choose a card back</translation>
    </message>
    <message>
        <source>コンピュータ</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>カード</source>
        <translation>Card</translation>
    </message>
    <message>
        <source>設定画面に戻る</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>もう一度やり直す</source>
        <translation>Play again</translation>
    </message>
    <message>
        <source>レベル</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>サイコロ</source>
        <translation>Dice</translation>
    </message>
    <message>
        <source>設定に戻る</source>
        <translation>Back to settings</translation>
    </message>
    <message>
        <source>カード選択</source>
        <translation>Card back</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>%1 枚</source>
        <extracomment>A side&apos;s count of cards on the result panel; English shows the number alone.</extracomment>
        <translation>%1</translation>
    </message>
    <message>
        <source>１・３・５ ＝ %1 さん</source>
        <translation>1, 3, 5 = %1</translation>
    </message>
    <message>
        <source>%1 さんが先攻です</source>
        <translation>%1 goes first</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>前回のゲームの続きから遊びますか？</source>
        <translation>Continue your last game?</translation>
    </message>
    <message>
        <source>続きから遊ぶ</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>新しく始める</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>%1&#x3000;レベル %2・%3 枚&#x3000;あなた %4 枚、コンピュータ %5 枚</source>
        <extracomment>%1 the player, %2 the level, %3 the card count, %4 and %5 the cards the player and the computer have taken.</extracomment>
        <translation>%1 · level %2 · %3 cards · you %4, computer %5</translation>
    </message>
    <message>
        <source>%1 対 %2・%3 枚&#x3000;%4 枚 対 %5 枚</source>
        <extracomment>%1 and %2 the two players, %3 the card count, %4 and %5 the cards each has taken.</extracomment>
        <translation>%1 against %2, %3 cards: %4 cards to %5</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>カード数 %1枚</source>
        <translation>%1 cards</translation>
    </message>
    <message>
        <source>無断転載・再配布を禁じます。</source>
        <translation>All rights reserved.</translation>
    </message>
    <message>
        <source>レベル1からだんだん強くなり、6で最強になります</source>
        <translation>Level 1 is the weakest, 6 the strongest</translation>
    </message>
    <message>
        <source>コンピュータのレベル</source>
        <translation>Computer level</translation>
    </message>
    <message>
        <source>プレーヤーの名前</source>
        <translation>Player name</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>プレーヤーの名前を入力してください</source>
        <translation>Enter your name</translation>
    </message>
    <message>
        <source>https://ja.wikipedia.org/wiki/神経衰弱</source>
        <extracomment>The link&apos;s text; Japanese shows the address itself.</extracomment>
        <translation>Concentration on Wikipedia</translation>
    </message>
    <message>
        <source>レベル %1</source>
        <translation>Level %1</translation>
    </message>
    <message>
        <source>プレーヤーの名前が入力されていません。</source>
        <translation>Please enter your name.</translation>
    </message>
    <message>
        <source>この名前には保存できない文字が含まれています。</source>
        <translation>This name has characters that cannot be saved.</translation>
    </message>
    <message>
        <source>2人目のプレーヤーの名前</source>
        <translation>Second player&apos;s name</translation>
    </message>
    <message>
        <source>2人目のプレーヤーの名前が入力されていません。</source>
        <translation>Please enter the second player&apos;s name.</translation>
    </message>
    <message>
        <source>ふたりの名前が同じです。</source>
        <translation>The two names are the same.</translation>
    </message>
    <message>
        <source>ふたりで遊ぶ</source>
        <translation>Two players</translation>
    </message>
    <message>
        <source>%1（オン）</source>
        <translation>%1 (on)</translation>
    </message>
    <message>
        <source>%1（オフ）</source>
        <translation>%1 (off)</translation>
    </message>
    <message>
        <source>■ %1</source>
        <translation>[x] %1</translation>
    </message>
    <message>
        <source>□ %1</source>
        <translation>[ ] %1</translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <source>https://ja.wikipedia.org/wiki/神経衰弱</source>
        <translation>https://en.wikipedia.org/wiki/Concentration_(card_game)</translation>
    </message>
</context>
</TS>
