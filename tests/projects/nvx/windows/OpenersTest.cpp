#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DShort.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogWindow.h"
#include "tests/projects/nvx/windows/WindowFixture.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;

class OpenersTest : public WindowFixture {};

TEST_F(OpenersTest, MessageWindowTakesItsTextsKeysAndPictureAndEntersTheDialogState) {
  DObjectArrayPtr params = new DObjectArray(2);
  params[0] = new qel::lang::DString(u"1.0");
  params[1] = new qel::lang::DString(u"help@example.org");
  DbyteArrayPtr picture = new DbyteArray(2, 0, SpriteRows::spritePictureBox, 6);
  DialogWindow::openDialog(21, picture, 144, params, new DshortArray(2, 0, 126, 127), 202);

  EXPECT_EQ(GameState::gameState, StateMachine::stateDialog);
  EXPECT_EQ(GameState::dialogReturnState, StateMachine::stateLanguage);
  EXPECT_EQ(DialogWindow::dialogId, 21);
  EXPECT_EQ(DialogWindow::dialogKind, DialogWindow::kindText);
  EXPECT_EQ(spelled(DialogWindow::titleText), spelled(LanguageTexts::getText(202)));
  EXPECT_EQ(spelled(DialogWindow::bodyText), spelled(BitmapText::formatText(144, params)));
  EXPECT_NE(spelled(DialogWindow::bodyText).find(u"help@example.org"), std::u16string::npos);
  EXPECT_EQ(DialogWindow::titleIcons.get(), picture.get());
  ASSERT_EQ(DialogWindow::softKeys->length(), 2);
  EXPECT_EQ(DialogWindow::softKeys[1], 127);
  EXPECT_EQ(DialogWindow::ready, 1);
  EXPECT_EQ(DialogWindow::dialogDirty, 1);
}

TEST_F(OpenersTest, AWindowOpenedFromAWindowReturnsToTheStateUnderTheFirst) {
  StateMachine::enter(StateMachine::stateMapScreen);
  DialogWindow::openDialog(42, nullptr, 8, nullptr, new DshortArray(1, 0, 126), 135);
  DialogWindow::openMenu(3, nullptr, new DshortArray(3, 0, 190, 209, 199), LanguageTexts::getText(128), 2);
  EXPECT_EQ(GameState::dialogReturnState, StateMachine::stateMapScreen);
  EXPECT_EQ(GameState::gameState, StateMachine::stateDialog);
}

TEST_F(OpenersTest, ListWindowCopiesItsChecksIntoOneBytePerItem) {
  DbyteArrayPtr checks = new DbyteArray(1, 0, 1);
  DObjectArrayPtr values = new DObjectArray(3);
  for (int i = 1; i < 3; ++i) {
    DObjectArrayPtr value = new DObjectArray(1);
    value[0] = new qel::lang::DShort(static_cast<int16_t>(3 + i));
    values[i] = value;
  }
  DialogWindow::openListDialog(
      4, DialogWindow::kindOptions, nullptr, new DshortArray(3, 0, 212, -2, -1), nullptr, values, checks, 208, 1);

  EXPECT_EQ(DialogWindow::dialogKind, DialogWindow::kindOptions);
  EXPECT_EQ(DialogWindow::hasToggles, 1);
  ASSERT_EQ(DialogWindow::itemToggles->length(), 3);
  EXPECT_NE(DialogWindow::itemToggles.get(), checks.get());
  EXPECT_EQ(DialogWindow::itemToggles[0], 1);
  EXPECT_EQ(DialogWindow::itemToggles[2], 0);
  EXPECT_EQ(DialogWindow::softKeys->length(), 1);
  EXPECT_EQ(DialogWindow::noFrame, 0);
  EXPECT_EQ(spelled(DialogWindow::titleText), spelled(LanguageTexts::getText(208)));
}

TEST_F(OpenersTest, ListWindowKeepsAPlainListSetBeforeItAndStartsEverythingElseAfresh) {
  DialogWindow::openDialog(0, nullptr, 8, nullptr, new DshortArray(1, 0, 126), 135);
  DialogWindow::selection = 3;
  nvtest::writable(DialogWindow::plainList) = 1;
  DialogWindow::openListDialog(
      20, DialogWindow::kindList, nullptr, new DshortArray(1, 0, 229), nullptr, nullptr, nullptr, 143, 2);
  EXPECT_EQ(DialogWindow::plainList, 1);
  EXPECT_EQ(DialogWindow::selection, 0);
  EXPECT_FALSE(DialogWindow::bodyText);
  EXPECT_EQ(DialogWindow::hasToggles, 0);
  EXPECT_FALSE(DialogWindow::itemToggles);
}

TEST_F(OpenersTest, TheMainMenuHasNoFrameAndTakesItsTitleAsGiven) {
  DshortArrayPtr title = LanguageTexts::getText(129);
  DialogWindow::openMenu(22, nullptr, new DshortArray(2, 0, 200, 211), title, 1);
  EXPECT_EQ(DialogWindow::noFrame, 1);
  EXPECT_EQ(DialogWindow::dialogKind, DialogWindow::kindList);
  EXPECT_EQ(DialogWindow::titleText.get(), title.get());
  EXPECT_FALSE(DialogWindow::itemIcons);

  DialogWindow::openMenu(3, nullptr, new DshortArray(1, 0, 190), title, 2);
  EXPECT_EQ(DialogWindow::noFrame, 0);
  EXPECT_EQ(DialogWindow::softKeys->length(), 2);
}

TEST_F(OpenersTest, ValueWindowsAreOptionsWindowsAndTheValueMenuIsAPlainList) {
  DObjectArrayPtr values = new DObjectArray(2);
  DObjectArrayPtr kindAndCount = new DObjectArray(2);
  kindAndCount[0] = new qel::lang::DShort(51);
  kindAndCount[1] = new qel::lang::DInteger(3);
  values[1] = kindAndCount;
  DObjectArrayPtr icons = new DObjectArray(2);
  icons[1] = new DbyteArray(2, 0, SpriteRows::spritePersonIcon, 1);
  DialogWindow::openValueMenu(0,
                              new DbyteArray(2, 0, SpriteRows::spritePictureBox, 5),
                              new DshortArray(2, 0, 81, 82),
                              values,
                              icons,
                              nullptr,
                              104,
                              1);
  EXPECT_EQ(DialogWindow::dialogKind, DialogWindow::kindOptions);
  EXPECT_EQ(DialogWindow::plainList, 1);
  EXPECT_EQ(DialogWindow::itemParams.get(), values.get());
  EXPECT_EQ(DialogWindow::itemIcons.get(), icons.get());
  EXPECT_EQ(DialogWindow::hasToggles, 0);
  EXPECT_EQ(DialogWindow::softKeys->length(), 1);
  EXPECT_EQ(spelled(DialogWindow::titleText), spelled(LanguageTexts::getText(104)));

  // Once the menu has closed, a value dialog is no plain list; its checks
  // are copied.
  DialogWindow::resetDialog();
  DbyteArrayPtr checks = new DbyteArray(1, 0, 1);
  DialogWindow::openValueDialog(4, nullptr, new DshortArray(3, 0, 212, -2, -1), values, nullptr, checks, 208, 2);
  EXPECT_EQ(DialogWindow::dialogKind, DialogWindow::kindOptions);
  EXPECT_EQ(DialogWindow::plainList, 0);
  EXPECT_EQ(DialogWindow::itemParams.get(), values.get());
  EXPECT_FALSE(DialogWindow::itemIcons);
  ASSERT_EQ(DialogWindow::itemToggles->length(), 3);
  EXPECT_NE(DialogWindow::itemToggles.get(), checks.get());
  EXPECT_EQ(DialogWindow::itemToggles[0], 1);
  EXPECT_EQ(DialogWindow::softKeys->length(), 2);
}

TEST_F(OpenersTest, AMessageWithTitleParametersIsLaidOutForItsFilledTitle) {
  DObjectArrayPtr params = new DObjectArray(3);
  for (int i = 0; i < 3; ++i) params[i] = new qel::lang::DInteger(i + 1);
  DObjectArrayPtr titleParams = new DObjectArray(1);
  titleParams[0] = new qel::lang::DInteger(12345);
  DbyteArrayPtr picture = new DbyteArray(2, 0, SpriteRows::spritePictureBox, 5);
  DialogWindow::openMessageDialog2(41, picture, 14, params, new DshortArray(1, 0, 126), 134, titleParams);

  EXPECT_EQ(DialogWindow::dialogId, 41);
  EXPECT_EQ(DialogWindow::dialogKind, DialogWindow::kindText);
  EXPECT_EQ(spelled(DialogWindow::titleText), spelled(BitmapText::formatText(134, titleParams)));
  EXPECT_NE(spelled(DialogWindow::titleText).find(u"12345"), std::u16string::npos);
  EXPECT_EQ(spelled(DialogWindow::bodyText), spelled(BitmapText::formatText(14, params)));
  EXPECT_EQ(DialogWindow::titleIcons.get(), picture.get());
  const int32_t titleTextX = DialogWindow::titleTextX;
  const int32_t windowWidth = DialogWindow::windowWidth;

  // The same window titled after it opened and laid out again.
  DialogWindow::openDialog(41, picture, 14, params, new DshortArray(1, 0, 126), 134);
  DialogWindow::setDialogTitle(134, titleParams);
  DialogWindow::prepareDialog(0);
  EXPECT_EQ(DialogWindow::titleTextX, titleTextX);
  EXPECT_EQ(DialogWindow::windowWidth, windowWidth);
}

TEST_F(OpenersTest, ItemTextsAreTheirLanguageTextsWithTheirParameters) {
  DialogWindow::resetDialog();
  nvtest::writable(DialogWindow::itemIds) = new DshortArray(3, 0, 229, -1, 46);
  EXPECT_EQ(spelled(DialogWindow::getItemText(0)), spelled(LanguageTexts::getText(229)));
  EXPECT_EQ(DialogWindow::getItemText(1)->length(), 0);

  nvtest::writable(DialogWindow::itemParams) = new DObjectArray(2);
  DObjectArrayPtr money = new DObjectArray(1);
  money[0] = new qel::lang::DInteger(30000);
  DialogWindow::itemParams[0] = money;
  EXPECT_EQ(spelled(DialogWindow::getItemText(0)), spelled(BitmapText::formatText(229, money)));
  try {
    DialogWindow::getItemText(2);
    FAIL() << "an item beyond its parameters";
  } catch (const qel::lang::DExceptionBase& e) {
    EXPECT_EQ(e.code() & qel::lang::ExceptionCode::IndexOutOfBounds, qel::lang::ExceptionCode::IndexOutOfBounds);
  }
}

TEST_F(OpenersTest, TitlePictureHeightIsItsFrameHeightAndTheInset) {
  DialogWindow::resetDialog();
  EXPECT_EQ(DialogWindow::getTitleIconHeight(), 0);
  nvtest::writable(DialogWindow::titleIcons) = new DbyteArray(2, 0, SpriteRows::spritePictureBox, 5);
  EXPECT_EQ(DialogWindow::getTitleIconHeight(),
            GameTables::spriteTable[SpriteRows::spritePictureBox][3] + DialogWindow::titlePictureInset);
}

TEST_F(OpenersTest, NoticesAcceptWithOneSoftKeyAndQuestionsGoBackWithTheSecond) {
  const qel::lang::DshortArrayPtr notice = DialogWindow::softKeysFor(1);
  ASSERT_EQ(notice->length(), 1);
  EXPECT_EQ(notice[0], DialogWindow::softKeyAccept);
  const qel::lang::DshortArrayPtr question = DialogWindow::softKeysFor(2);
  ASSERT_EQ(question->length(), 2);
  EXPECT_EQ(question[0], DialogWindow::softKeyAccept);
  EXPECT_EQ(question[1], DialogWindow::softKeyBack);
}

}  // namespace
}  // namespace nvx
