#include "resources/CStringTableText.h"

// The tables are kept as their text, one entry a line; see CStringTable for the format.

std::string_view CStringTableText::English() {
    return R"TABLE(# Texts by number. \n is a line break, \t a tab, \\ a backslash; the text starts after the first tab.
[strings]
128	Quorvel\n \nVexoVie\n\n\nVexoViewer.Document\nVexoVie Document
134	Fixed mosaic mode (description)
136	Moving mosaic mode (description)
2000	WWWWWWWWWWWWWW
2006	Slider
2007	Mosaic
2008	Movie
2009	Option
2010	Mosaic Size
2011	  
2012	[ Fixed Mosaic Mode ]
2013	[ Moving Mosaic Mode ]
2014	[ Preview Mode ]
2016	Could not open the Help file.\nAcrobatReader If you have not installed, please install it.
2017	This video has been changed.Save?\n\n[ Yes ]\t\t: Save.\n[ No ]\t\t: To continue without saving.\n[ Cancel ]\t: To abort the process.
2019	Movie files|*.avi;*.m2ts;*.mts;*.mov;*.mpg;*.mpeg;*.mp4;*.wmv;*.mkv;*.webm;*.m4v;*.3gp;*.ts;*.mxf;*.flv|Image files|*.bmp;*.jpg;*.jpeg|All Files(*.*)|*.*||
2020	This file is not recognized by Quorvel for files, could not be opened.\n\n%1
2021	Save the file that you can not currently open.\nPlease specify a different file.
2022	Format Converting
2024	Bond in the audio stream
2025	Mosaic in the process ...
2030	CD-ROM read-only attribute if the data folder and read from the HDD to copy please.
2060	This file is already open in another running Quorvel. Close it there, then try again.\n\n%1
2033	https://velmarro.example/
2061	The converter could not be run, so this file could not be converted. Install the FFmpeg command-line tool (ffmpeg on the PATH, or its path in QUORVEL_FFMPEG).\n\n%1
2034	WWWWWWWWWWWWWWW
2070	Time left %1
2071	The converter could not be found:\n%1
2072	The converter could not be started.
2073	The converter stopped with code %1.
2074	The converter made no file.
2075	The saved file could not be put in place of the target.
2076	Export error!!
2077	Cancel
2078	Bitmap file(*.bmp)|*.bmp||
2080	The progress could not be saved. The progress saved before is kept as it was.\n\n%1
2081	The mosaic could not be removed, as its saved progress could not be deleted. Nothing was removed.\n\n%1
2082	The settings could not be saved. The settings saved before are kept as they were.\n\n%1
2083	The movie is still being converted or saved. Cancel that and quit?\n\nA movie being saved is not written; a file of the same name saved before stays as it was.
2084	The progress files beside this movie (%1) were saved for "%2", not for "%3".\n\nLoad them for "%3"?
2085	The progress files %1 hold the progress of "%2".\n\nReplace it with the progress of "%3"?
2086	The manual could not be opened:\n%1\n\nA PDF viewer is needed to read it. Install one, or open the file from the program's folder.
2087	The saved movie could not be played:\n%1\n\nNo program to play it was found on this computer.
2088	%1 already exists.\n\nDo you want to replace it?
2089	Progress saved in %1
2090	Movie saved as %1
2091	Open a movie or picture (F1), or drop one here
2130	%1 frames inside tracks have no rectangle, so nothing hides them.\n\n[ Yes ]\t\t: Go to the first of them.\n[ No ]\t\t: Save anyway.\n[ Cancel ]\t: Do not save.
2131	%1 frames filled
2132	Tracking: frame %1
2133	Tracked frames %1 to %2; %3 of them unsure.
2134	Tracking cancelled: frames %1 to %2 kept, %3 of them unsure.
2135	Lost the subject after frame %1; %2 frames unsure. Correct the rectangle here and press T (Shift+T backward) to go on.
2136	Frame %1 could not be read, so tracking stopped there; %2 frames unsure.
2137	This rectangle could not be tracked: the movie could not be read for it.
2101	Play speed: x
2102	Mosaic Type:
2110	Pixelate, extra large
2111	Pixelate, large
2112	Pixelate, medium
2113	Pixelate, small
2114	Frosted glass
2115	Invert colours
2116	Black fill
2117	Blur, strong
2118	Blur, medium
2119	Blur, weak
2035	https://velmarro.example/quorvel/latest/
2201	Version Information
2202	Version: %s
2203	Copyright (C) 2014-2025 Velmarro. All rights reserved.
2204	Update:
2205	OK
57345	 
57601	Existing Open.\n[F1] Open
57600	Close file\nClose
32792	Save\n[F5] Save
32802	Save the progress of the mosaic.\nSaving the middle course
32780	Save current frame as a bitmap.\nSave Bitmap
32800	To play a saved movie.\nPlay a saved movie
32803	Remove all mosaic.\nRemove all mosaic
57616	Open this document
57617	Open this document
57618	Open this document
57619	Open this document
57665	Quit the application; prompts to save data\nExit
57643	Undo the last change of the mosaic.\nUndo
57644	Redo the change undone last.\nRedo
32810	Fill the frames of each track that have no rectangle, between the rectangles around them.\nFill gaps
32811	Go to the next frame of a track that has no rectangle.\n[G] Next gap
32812	Follow the subject in the track's rectangle on this frame, frame by frame forward.\n[T] Track
32813	Follow the subject in the track's rectangle on this frame, frame by frame backward.\n[Shift+T] Track back
32782	Deinterlacing ON/OFF\n[F9] Deinterlacing
59392	Standard toolbar show/hide\nStandard Toolbar Toggle
32793	Movie Toolbar show/hide\nMovie Toolbar Toggle
32794	Option Toolbar show/hide\nOption Toolbar Toggle
32784	Slider Toolbar show/hide\nSlider Toolbar Toggle
32795	Mosaic size Toolbar show/hide\nMosaic size Toolbar Toggle
59393	Statusbar show/hide\nStatusbar Toggle
32789	Drag and drop to set the mosaic area.\n[F2] Fixed mosaic mode
32790	Set mosaic area to track.\n[F3] Moving mosaic mode
32791	Preview\n[F4] Preview mode
32774	View the first frame.\n[Home] First frame
32775	View the previous frame.\n[<-] Previous frame
32801	Play(with audio)\n[F6] Play(with audio)
32772	Stop playing.\n[F7] Stop
32773	Play/Stop\n[F8] Play/Stop
32776	View the next frame.\n[->] Mext frame
32777	View the last frame.\n[End] Last frame
32799	Continuous Play\nContinuous Play
32798	Help\nHelp
57664	Display program information, version number and copyright\nAbout
[menus]
1	File(&F)
2	View(&V)
3	Toolbar(&T)
4	Mode(&M)
5	Movie(&O)
6	Help(&H)
7	Mosaic
8	MosaicEx
57601	Open(&O)...\tF1
57600	Close(&C)\tCtrl + W
32792	Save(&M)...\tF5
32802	Saving the middle course(&F)
32780	Saved as a bitmap(&S)...
32800	Play a saved movie(&P)...\tF10
32803	Remove all mosaic(&A)
57616	Recent Files
57665	Exit(&X)
9	Edit(&E)
57643	Undo(&U)\tCtrl + Z
57644	Redo(&R)\tCtrl + Y
32810	Fill gaps(&F)
32811	Next gap(&N)\tG
32812	Track(&T)\tT
32813	Track back(&K)\tShift + T
32804	Display in video size (&V)
32782	Deinterlacing(&D)\tF9
59392	Standard(&M)
32793	Movie(&O)
32794	Option(&P)
32784	Slider(&S)
32795	Mosaic Size(&Z)
59393	Statusbar(&S)
32789	Fixed mosaic mode(&F)\tF2
32790	Moving mosaic mode(&M)\tF3
32791	Preview mode(&P)\tF4
32774	First(&F)\tHome
32775	Back(&B)\t<-
32801	Play(with audio)(&A)\tF6
32772	Stop(&S)\tF7
32773	Play(&P)\tF8
32776	Next(&N)\t->
32777	Last(&L)\tEnd
32799	Continuous Play(&O)
32798	Quorvel Help(&H)...
57664	Version Information(&A)...
32786	Delete(&D)
32796	Cancel(&C)
32787	Remove All(&D)
32788	Remove this frame after(&F)
32797	Modification(&M)
)TABLE";
}

std::string_view CStringTableText::Japanese() {
    return R"TABLE(# Texts by number. \n is a line break, \t a tab, \\ a backslash; the text starts after the first tab.
[strings]
128	Quorvel\n \nVexoVie\n\n\nVexoViewer.Document\nVexoVie Document
134	固定モザイクモード（説明）
136	移動モザイクモード（説明）
2000	WWWWWWWWWWWWWW
2006	スライダー
2007	モザイク
2008	動画
2009	オプション
2010	モザイクサイズ
2011	  
2012	[ 固定モザイクモード ]
2013	[ 移動モザイクモード ]
2014	[ プレビューモード ]
2016	ヘルプファイルを開くことができませんでした。\nAcrobatReaderをインストールしていない場合はインストールしてください。
2017	この動画はモザイクが追加されています。動画を保存しますか？\n\n[ はい ]\t\t: 保存する。\n[ いいえ ]\t\t: 保存せずに処理を続行する。\n[ キャンセル ]\t: 処理を中止する。
2019	動画ファイル|*.avi;*.m2ts;*.mts;*.mov;*.mpg;*.mpeg;*.mp4;*.wmv;*.mkv;*.webm;*.m4v;*.3gp;*.ts;*.mxf;*.flv|静止画ファイル|*.bmp;*.jpg;*.jpeg|すべてのファイル(*.*)|*.*||
2020	このファイルはQuorvelで認識できないファイルのため、開くことが出来ませんでした。\n\n%1
2021	現在開いているファイルに上書き保存することは出来ません。\n別のファイルを指定してください。
2022	フォーマット変換中
2024	音声ストリーム結合中
2025	モザイク処理中...
2030	CD-ROMなどの読み取り専用属性フォルダのデータの場合は\nHDDにコピーしてから読み込んでください。
2060	このファイルは実行中の別のQuorvelで既に開かれています。そちらで閉じてから、もう一度お試しください。\n\n%1
2033	https://velmarro.example/ja/
2061	変換ツールを実行できなかったため、このファイルを変換できませんでした。FFmpegのコマンドラインツールをインストールしてください（PATH上のffmpeg、またはQUORVEL_FFMPEGにそのパスを指定）。\n\n%1
2034	WWWWWWWWWWWWWWW
2070	残り時間 %1
2071	変換ツールが見つかりません:\n%1
2072	変換ツールを起動できませんでした。
2073	変換ツールがコード %1 で終了しました。
2074	変換ツールがファイルを作成しませんでした。
2075	保存したファイルを保存先に置き換えられませんでした。
2076	Export error!!
2077	キャンセル
2078	ビットマップファイル(*.bmp)|*.bmp||
2080	途中経過を保存できませんでした。以前に保存した途中経過はそのまま残っています。\n\n%1
2081	保存した途中経過を削除できなかったため、モザイクを削除できませんでした。何も削除していません。\n\n%1
2082	設定を保存できませんでした。以前に保存した設定はそのまま残っています。\n\n%1
2083	動画の変換または保存がまだ続いています。中止して終了しますか？\n\n保存中の動画は書き込まれず、同じ名前で以前に保存したファイルはそのまま残ります。
2084	この動画の横にある途中経過ファイル（%1）は「%3」ではなく「%2」のために保存されたものです。\n\n「%3」の途中経過として読み込みますか？
2085	途中経過ファイル %1 には「%2」の途中経過が入っています。\n\n「%3」の途中経過で置き換えますか？
2086	マニュアルを開けませんでした:\n%1\n\n読むには PDF ビューアーが必要です。インストールするか、プログラムのフォルダーからファイルを開いてください。
2087	保存した動画を再生できませんでした:\n%1\n\nこのコンピューターには再生できるプログラムが見つかりませんでした。
2088	%1 は既にあります。\n\n置き換えますか？
2089	途中経過を %1 に保存しました
2090	動画を %1 に保存しました
2091	動画または静止画を開いてください（F1）。ここにドロップしても開けます
2130	トラックの範囲内に矩形のないフレームが %1 個あり、そのフレームは隠されません。\n\n[ はい ]\t\t: 最初のフレームへ移動する。\n[ いいえ ]\t\t: このまま保存する。\n[ キャンセル ]\t: 保存を中止する。
2131	%1 フレームを補間しました
2132	追跡中: フレーム %1
2133	フレーム %1 から %2 まで追跡しました（うち %3 フレームは不確か）。
2134	追跡を中止しました: フレーム %1 から %2 までを残しました（うち %3 フレームは不確か）。
2135	フレーム %1 の後で対象を見失いました（%2 フレームは不確か）。ここで矩形を直し、T（逆方向は Shift+T）で続けてください。
2136	フレーム %1 を読めなかったため、そこで追跡を止めました（%2 フレームは不確か）。
2137	この矩形は追跡できませんでした: 動画を読めませんでした。
2101	再生速度: x
2102	モザイクの種類:
2110	特大
2111	大
2112	中
2113	小
2114	すりガラス
2115	色反転
2116	塗りつぶし
2117	ぼかし（強）
2118	ぼかし（中）
2119	ぼかし（弱）
2035	https://velmarro.example/ja/quorvel/latest/
2201	バージョン情報
2202	Version: %s
2203	Copyright (C) 2014-2025 Velmarro. All rights reserved.
2204	最新版はこちら
2205	OK
57345	 
57601	既存のファイルを開く\n[F1] 開く
57600	ファイルを閉じる\n閉じる
32792	保存\n[F5] 保存
32802	モザイクの途中経過を保存\n途中経過の保存
32780	カレントフレームをビットマップとして保存\nビットマップ保存
32800	保存した動画の再生\n保存した動画の再生
32803	すべてのモザイクを削除\nすべてのモザイクを削除
57616	この文書を開く
57617	この文書を開く
57618	この文書を開く
57619	この文書を開く
57665	終了\n終了
57643	モザイクの最後の変更を元に戻す\n元に戻す
57644	元に戻した変更をやり直す\nやり直し
32810	トラックの中で矩形のないフレームを前後の矩形から補間\n隙間を埋める
32811	トラックの中で矩形のない次のフレームへ移動\n[G] 次の隙間
32812	このフレームのトラックの矩形の対象を1フレームずつ前へ追跡\n[T] 追跡
32813	このフレームのトラックの矩形の対象を1フレームずつ後ろへ追跡\n[Shift+T] 逆方向に追跡
32782	インターレース除去 ON/OFF\n[F9] インターレース除去
59392	モザイクツールバーの表示/非表示\nモザイクツールバーの表示切り替え
32793	動画ツールバーの表示/非表示\n動画ツールバーの表示切り替え
32794	オプションツールバーの表示/非表示\nオプションツールバーの表示切り替え
32784	スライダーツールバーの表示/非表示\nスライダーツールバーの表示切り替え
32795	モザイクサイズツールバーの表示/非表示\nモザイクサイズツールバーの表示切り替え
59393	ステータスバーの表示/非表示\nステータスバーの表示切り替え
32789	ドラッグ&ドロップでモザイク領域を設定\n[F2] 固定モザイクモード
32790	モザイク領域を追跡して設定\n[F3] 移動モザイクモード
32791	プレビュー表示\n[F4] プレビューモード
32774	先頭フレームを表示\n[Home] 先頭フレーム
32775	前のフレームを表示\n[<-] 前のフレーム
32801	動画を再生（音声つき）\n[F6] 再生（音声つき）
32772	再生を停止\n[F7] 停止
32773	動画を再生/停止\n[F8] 再生/停止
32776	次のフレームを表示\n[->] 次のフレーム
32777	最終フレームを表示\n[End] 最終フレーム
32799	連続再生\n連続再生
32798	ヘルプの表示\nヘルプ
57664	ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報
[menus]
1	ファイル(&F)
2	表示(&V)
3	ツール バー(&T)
4	モード(&M)
5	動画(&O)
6	ヘルプ(&H)
7	Mosaic
8	MosaicEx
57601	開く(&O)...\tF1
57600	閉じる(&C)\tCtrl + W
32792	保存(&M)...\tF5
32802	途中経過の保存(&F)
32780	ビットマップとして保存(&S)...
32800	保存した動画の再生(&P)...\tF10
32803	すべてのモザイクを削除(&A)
57616	最近使ったﾌｧｲﾙ
57665	終了(&X)
9	編集(&E)
57643	元に戻す(&U)\tCtrl + Z
57644	やり直し(&R)\tCtrl + Y
32810	隙間を埋める(&F)
32811	次の隙間(&N)\tG
32812	追跡(&T)\tT
32813	逆方向に追跡(&K)\tShift + T
32804	動画サイズで表示(&V)
32782	インターレース除去(&D)\tF9
59392	標準(&M)
32793	動画(&O)
32794	オプション(&P)
32784	スライダー(&S)
32795	モザイクサイズ(&Z)
59393	ステータス バー(&S)
32789	固定モザイクモード(&F)\tF2
32790	移動モザイクモード(&M)\tF3
32791	プレビューモード(&P)\tF4
32774	最初(&F)\tHome
32775	戻る(&B)\t<-
32801	再生（音声つき）(&A)\tF6
32772	停止(&S)\tF7
32773	再生(&P)\tF8
32776	進む(&N)\t->
32777	最後(&L)\tEnd
32799	連続再生(&O)
32798	Quorvel ヘルプ(&H)...
57664	バージョン情報(&A)...
32786	削除(&D)
32796	キャンセル(&C)
32787	すべて削除(&D)
32788	このフレーム以降を削除(&F)
32797	修正(&M)
)TABLE";
}
