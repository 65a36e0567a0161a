// The read offer of the editor's timer: when it asks, what it asks, and what the answers do.

#include <gtest/gtest.h>

#include "editors/ReadOffer.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/RecordingPrompt.h"

namespace zavo::test {
namespace {

class ReadOfferTest : public EditorTest {
 protected:
  RecordingPrompt prompt;
  ReadOffer offer;
  int saves = 0;
  bool saveWorks = true;
  ReadOffer::Save save = [this] {
    ++saves;
    return saveWorks;
  };
};

TEST_F(ReadOfferTest, AsksOnTheFirstLinkedTickOnlyAndAgainAfterTheLinkWasDown) {
  EXPECT_FALSE(offer.tick(false, false, false, save));
  EXPECT_TRUE(prompt.shown().empty());
  EXPECT_FALSE(offer.tick(true, true, false, save)) << "not while a transfer runs";
  EXPECT_TRUE(prompt.shown().empty());
  EXPECT_TRUE(offer.tick(true, false, false, save));
  ASSERT_EQ(prompt.shown().size(), 1u);
  EXPECT_EQ(prompt.shown()[0].text, "Do you want to read parameters of servo?");
  EXPECT_EQ(prompt.shown()[0].title, "Read parameter");
  EXPECT_EQ(prompt.shown()[0].buttons, PromptButtons::YesNo);
  EXPECT_FALSE(offer.tick(true, false, false, save));
  EXPECT_FALSE(offer.tick(false, false, false, save));
  EXPECT_TRUE(offer.tick(true, false, false, save));
  EXPECT_EQ(prompt.shown().size(), 2u);
}

TEST_F(ReadOfferTest, AnswersDecideTheRead) {
  using A = PromptAnswer;
  const struct {
    bool modified;
    std::vector<A> answers;
    bool saveWorks;
    bool reads;
    int saves;
    std::size_t questions;
  } cases[] = {
      {false, {A::Yes}, true, true, 0, 1},          {false, {A::No}, true, false, 0, 1},
      {true, {A::No}, true, false, 0, 1},           {true, {A::Yes, A::No}, true, true, 0, 2},
      {true, {A::Yes, A::Cancel}, true, false, 0, 2}, {true, {A::Yes, A::Yes}, true, true, 1, 2},
      {true, {A::Yes, A::Yes}, false, false, 1, 2},  // a save that fails keeps the values
  };
  for (const auto& c : cases) {
    prompt.clear();
    ReadOffer fresh;
    saves = 0;
    saveWorks = c.saveWorks;
    for (A a : c.answers) prompt.script(a);
    EXPECT_EQ(fresh.tick(true, false, c.modified, save), c.reads) << c.answers.size() << " answers";
    EXPECT_EQ(saves, c.saves);
    ASSERT_EQ(prompt.shown().size(), c.questions);
    if (c.questions == 2) {
      EXPECT_EQ(prompt.shown()[1].text, "Parameter is changed, do you want to save it?");
      EXPECT_EQ(prompt.shown()[1].title, "Save file");
      EXPECT_EQ(prompt.shown()[1].buttons, PromptButtons::YesNoCancel);
    }
  }
}

}  // namespace
}  // namespace zavo::test
