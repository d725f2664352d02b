#include "ui/game_window/game_window_elements.h"

#include "ui/game_window/game_window_layout.h"

namespace koropika {

namespace id = game_window_ids;

// Bound by fixed ids: each is an index into the load's tables, with no name search.
GameWindowElements::GameWindowElements(Window& w)
    : Picture1(w.element(id::Picture1)),
      Picture2(w.element(id::Picture2)),
      Picture3(w.element(id::Picture3)),
      Picture4(w.element(id::Picture4)),
      Picture5(w.element(id::Picture5)),
      Frame1(w.element(id::Frame1)),
      Command1(w.element(id::Command1)),
      Label2(w.element(id::Label2)),
      Label3(w.element(id::Label3)),
      Label8(w.element(id::Label8)),
      Label9(w.element(id::Label9)),
      Label10(w.element(id::Label10)),
      Label11(w.element(id::Label11)),
      Label12(w.element(id::Label12)),
      Label13(w.element(id::Label13)),
      Label15(w.element(id::Label15)),
      Label16(w.element(id::Label16)),
      Label17(w.element(id::Label17)),
      Label18(w.element(id::Label18)),
      Label19(w.element(id::Label19)),
      Label20(w.element(id::Label20)),
      Label21(w.element(id::Label21)),
      Image4(w.element(id::Image4)),
      Image5(w.element(id::Image5)),
      Image6(w.element(id::Image6)),
      Image7(w.element(id::Image7)),
      Image8(w.element(id::Image8)),
      Image11(w.element(id::Image11)),
      Image12(w.element(id::Image12)),
      Image13(w.element(id::Image13)),
      Image14(w.element(id::Image14)),
      omote1(w, id::omote1),
      ura1(w, id::ura1),
      Shape1(w, id::Shape1),
      Image1(w, id::Image1),
      Image2(w, id::Image2),
      Image3(w, id::Image3),
      Image9(w, id::Image9),
      Image10(w, id::Image10),
      Timer1(w.timerAt(id::Timer1)),
      Timer2(w.timerAt(id::Timer2)),
      Timer3(w.timerAt(id::Timer3)),
      Timer4(w.timerAt(id::Timer4)),
      Timer5(w.timerAt(id::Timer5)),
      Timer6(w.timerAt(id::Timer6)),
      Timer7(w.timerAt(id::Timer7)),
      Timer9(w.timerAt(id::Timer9)),
      設定に戻る(w.menuAt(id::設定に戻る)),
      カード選択(w.menuAt(id::カード選択)),
      終了(w.menuAt(id::終了)),
      ImageList2(w.imageListAt(id::ImageList2)),
      ImageList1{nullptr, &w.imageListAt(id::ImageList1), &w.imageListAt(id::ImageList1 + 1),
                 &w.imageListAt(id::ImageList1 + 2), &w.imageListAt(id::ImageList1 + 3)} {}

}  // namespace koropika
