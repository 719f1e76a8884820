#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DShort.h"
#include "tests/projects/nvx/windows/WindowFixture.h"

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
  DbyteArrayPtr picture = new DbyteArray(2, 0, MainCanvas::spritePictureBox, 6);
  MainCanvas::openDialog(21, picture, 144, params, new DshortArray(2, 0, 126, 127), 202);

  EXPECT_EQ(MainCanvas::gameState, MainCanvas::stateDialog);
  EXPECT_EQ(MainCanvas::dialogReturnState, MainCanvas::stateLanguage);
  EXPECT_EQ(MainCanvas::dialogId, 21);
  EXPECT_EQ(MainCanvas::dialogKind, MainCanvas::kindText);
  EXPECT_EQ(spelled(MainCanvas::titleText), spelled(MainCanvas::getText(202)));
  EXPECT_EQ(spelled(MainCanvas::bodyText), spelled(MainCanvas::formatText(144, params)));
  EXPECT_NE(spelled(MainCanvas::bodyText).find(u"help@example.org"), std::u16string::npos);
  EXPECT_EQ(MainCanvas::titleIcons.get(), picture.get());
  ASSERT_EQ(MainCanvas::softKeys->length(), 2);
  EXPECT_EQ(MainCanvas::softKeys[1], 127);
  EXPECT_EQ(MainCanvas::ready, 1);
  EXPECT_EQ(MainCanvas::dialogDirty, 1);
}

TEST_F(OpenersTest, AWindowOpenedFromAWindowReturnsToTheStateUnderTheFirst) {
  MainCanvas::enter(MainCanvas::stateMapScreen);
  MainCanvas::openDialog(42, nullptr, 8, nullptr, new DshortArray(1, 0, 126), 135);
  MainCanvas::openMenu(3, nullptr, new DshortArray(3, 0, 190, 209, 199), MainCanvas::getText(128), 2);
  EXPECT_EQ(MainCanvas::dialogReturnState, MainCanvas::stateMapScreen);
  EXPECT_EQ(MainCanvas::gameState, MainCanvas::stateDialog);
}

TEST_F(OpenersTest, ListWindowCopiesItsChecksIntoOneBytePerItem) {
  DbyteArrayPtr checks = new DbyteArray(1, 0, 1);
  DObjectArrayPtr values = new DObjectArray(3);
  for (int i = 1; i < 3; ++i) {
    DObjectArrayPtr value = new DObjectArray(1);
    value[0] = new qel::lang::DShort(static_cast<int16_t>(3 + i));
    values[i] = value;
  }
  MainCanvas::openListDialog(
      4, MainCanvas::kindOptions, nullptr, new DshortArray(3, 0, 212, -2, -1), nullptr, values, checks, 208, 1);

  EXPECT_EQ(MainCanvas::dialogKind, MainCanvas::kindOptions);
  EXPECT_EQ(MainCanvas::hasToggles, 1);
  ASSERT_EQ(MainCanvas::itemToggles->length(), 3);
  EXPECT_NE(MainCanvas::itemToggles.get(), checks.get());
  EXPECT_EQ(MainCanvas::itemToggles[0], 1);
  EXPECT_EQ(MainCanvas::itemToggles[2], 0);
  EXPECT_EQ(MainCanvas::softKeys->length(), 1);
  EXPECT_EQ(MainCanvas::noFrame, 0);
  EXPECT_EQ(spelled(MainCanvas::titleText), spelled(MainCanvas::getText(208)));
}

TEST_F(OpenersTest, ListWindowKeepsAPlainListSetBeforeItAndStartsEverythingElseAfresh) {
  MainCanvas::openDialog(0, nullptr, 8, nullptr, new DshortArray(1, 0, 126), 135);
  MainCanvas::selection = 3;
  MainCanvas::plainList = 1;
  MainCanvas::openListDialog(
      20, MainCanvas::kindList, nullptr, new DshortArray(1, 0, 229), nullptr, nullptr, nullptr, 143, 2);
  EXPECT_EQ(MainCanvas::plainList, 1);
  EXPECT_EQ(MainCanvas::selection, 0);
  EXPECT_FALSE(MainCanvas::bodyText);
  EXPECT_EQ(MainCanvas::hasToggles, 0);
  EXPECT_FALSE(MainCanvas::itemToggles);
}

TEST_F(OpenersTest, TheMainMenuHasNoFrameAndTakesItsTitleAsGiven) {
  DshortArrayPtr title = MainCanvas::getText(129);
  MainCanvas::openMenu(22, nullptr, new DshortArray(2, 0, 200, 211), title, 1);
  EXPECT_EQ(MainCanvas::noFrame, 1);
  EXPECT_EQ(MainCanvas::dialogKind, MainCanvas::kindList);
  EXPECT_EQ(MainCanvas::titleText.get(), title.get());
  EXPECT_FALSE(MainCanvas::itemIcons);

  MainCanvas::openMenu(3, nullptr, new DshortArray(1, 0, 190), title, 2);
  EXPECT_EQ(MainCanvas::noFrame, 0);
  EXPECT_EQ(MainCanvas::softKeys->length(), 2);
}

TEST_F(OpenersTest, ValueWindowsAreOptionsWindowsAndTheValueMenuIsAPlainList) {
  DObjectArrayPtr values = new DObjectArray(2);
  DObjectArrayPtr kindAndCount = new DObjectArray(2);
  kindAndCount[0] = new qel::lang::DShort(51);
  kindAndCount[1] = new qel::lang::DInteger(3);
  values[1] = kindAndCount;
  DObjectArrayPtr icons = new DObjectArray(2);
  icons[1] = new DbyteArray(2, 0, MainCanvas::spritePersonIcon, 1);
  MainCanvas::openValueMenu(0,
                            new DbyteArray(2, 0, MainCanvas::spritePictureBox, 5),
                            new DshortArray(2, 0, 81, 82),
                            values,
                            icons,
                            nullptr,
                            104,
                            1);
  EXPECT_EQ(MainCanvas::dialogKind, MainCanvas::kindOptions);
  EXPECT_EQ(MainCanvas::plainList, 1);
  EXPECT_EQ(MainCanvas::itemParams.get(), values.get());
  EXPECT_EQ(MainCanvas::itemIcons.get(), icons.get());
  EXPECT_EQ(MainCanvas::hasToggles, 0);
  EXPECT_EQ(MainCanvas::softKeys->length(), 1);
  EXPECT_EQ(spelled(MainCanvas::titleText), spelled(MainCanvas::getText(104)));

  // Once the menu has closed, a value dialog is no plain list; its checks
  // are copied.
  MainCanvas::resetDialog();
  DbyteArrayPtr checks = new DbyteArray(1, 0, 1);
  MainCanvas::openValueDialog(4, nullptr, new DshortArray(3, 0, 212, -2, -1), values, nullptr, checks, 208, 2);
  EXPECT_EQ(MainCanvas::dialogKind, MainCanvas::kindOptions);
  EXPECT_EQ(MainCanvas::plainList, 0);
  EXPECT_EQ(MainCanvas::itemParams.get(), values.get());
  EXPECT_FALSE(MainCanvas::itemIcons);
  ASSERT_EQ(MainCanvas::itemToggles->length(), 3);
  EXPECT_NE(MainCanvas::itemToggles.get(), checks.get());
  EXPECT_EQ(MainCanvas::itemToggles[0], 1);
  EXPECT_EQ(MainCanvas::softKeys->length(), 2);
}

TEST_F(OpenersTest, AMessageWithTitleParametersIsLaidOutForItsFilledTitle) {
  DObjectArrayPtr params = new DObjectArray(3);
  for (int i = 0; i < 3; ++i) params[i] = new qel::lang::DInteger(i + 1);
  DObjectArrayPtr titleParams = new DObjectArray(1);
  titleParams[0] = new qel::lang::DInteger(12345);
  DbyteArrayPtr picture = new DbyteArray(2, 0, MainCanvas::spritePictureBox, 5);
  MainCanvas::openMessageDialog2(41, picture, 14, params, new DshortArray(1, 0, 126), 134, titleParams);

  EXPECT_EQ(MainCanvas::dialogId, 41);
  EXPECT_EQ(MainCanvas::dialogKind, MainCanvas::kindText);
  EXPECT_EQ(spelled(MainCanvas::titleText), spelled(MainCanvas::formatText(134, titleParams)));
  EXPECT_NE(spelled(MainCanvas::titleText).find(u"12345"), std::u16string::npos);
  EXPECT_EQ(spelled(MainCanvas::bodyText), spelled(MainCanvas::formatText(14, params)));
  EXPECT_EQ(MainCanvas::titleIcons.get(), picture.get());
  const int32_t titleTextX = MainCanvas::titleTextX;
  const int32_t windowWidth = MainCanvas::windowWidth;

  // The same window titled after it opened and laid out again.
  MainCanvas::openDialog(41, picture, 14, params, new DshortArray(1, 0, 126), 134);
  MainCanvas::setDialogTitle(134, titleParams);
  MainCanvas::prepareDialog(0);
  EXPECT_EQ(MainCanvas::titleTextX, titleTextX);
  EXPECT_EQ(MainCanvas::windowWidth, windowWidth);
}

TEST_F(OpenersTest, ItemTextsAreTheirLanguageTextsWithTheirParameters) {
  MainCanvas::resetDialog();
  MainCanvas::itemIds = new DshortArray(3, 0, 229, -1, 46);
  EXPECT_EQ(spelled(MainCanvas::getItemText(0)), spelled(MainCanvas::getText(229)));
  EXPECT_EQ(MainCanvas::getItemText(1)->length(), 0);

  MainCanvas::itemParams = new DObjectArray(2);
  DObjectArrayPtr money = new DObjectArray(1);
  money[0] = new qel::lang::DInteger(30000);
  MainCanvas::itemParams[0] = money;
  EXPECT_EQ(spelled(MainCanvas::getItemText(0)), spelled(MainCanvas::formatText(229, money)));
  try {
    MainCanvas::getItemText(2);
    FAIL() << "an item beyond its parameters";
  } catch (const qel::lang::DExceptionBase& e) {
    EXPECT_EQ(e.code() & qel::lang::ExceptionCode::IndexOutOfBounds, qel::lang::ExceptionCode::IndexOutOfBounds);
  }
}

TEST_F(OpenersTest, TitlePictureHeightIsItsFrameHeightAndTheInset) {
  MainCanvas::resetDialog();
  EXPECT_EQ(MainCanvas::getTitleIconHeight(), 0);
  MainCanvas::titleIcons = new DbyteArray(2, 0, MainCanvas::spritePictureBox, 5);
  EXPECT_EQ(MainCanvas::getTitleIconHeight(),
            MainCanvas::spriteTable[MainCanvas::spritePictureBox][3] + MainCanvas::titlePictureInset);
}

TEST_F(OpenersTest, NoticesAcceptWithOneSoftKeyAndQuestionsGoBackWithTheSecond) {
  const qel::lang::DshortArrayPtr notice = MainCanvas::softKeysFor(1);
  ASSERT_EQ(notice->length(), 1);
  EXPECT_EQ(notice[0], MainCanvas::softKeyAccept);
  const qel::lang::DshortArrayPtr question = MainCanvas::softKeysFor(2);
  ASSERT_EQ(question->length(), 2);
  EXPECT_EQ(question[0], MainCanvas::softKeyAccept);
  EXPECT_EQ(question[1], MainCanvas::softKeyBack);
}

}  // namespace
}  // namespace nvx
