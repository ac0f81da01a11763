// A window toolkit made of plain fields: the dialogs answer from queues the
// test fills, and every call is recorded for the test to look at.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/window_platform.h"
#include "app/window_texts.h"

namespace texttoxml::app {

class FakePlatform : public WindowPlatform {
 public:
  std::optional<OpenChoice> ShowOpenDialog(const OpenChoice& start) override {
    openStarts.push_back(start);
    return Next(openAnswers);
  }
  std::optional<std::string> ShowSaveDialog(const std::string& start) override {
    saveStarts.push_back(start);
    return Next(saveAnswers);
  }
  std::u16string MemoText() const override { return memo; }
  // Every text put in counts as an edit here, the harshest a toolkit may
  // be: the logic must say itself that its own texts are none.
  void SetMemoText(std::u16string_view text) override {
    memo = text;
    memoModified = true;
    ++memoWrites;
    busyAtLastMemoWrite = busy;
  }
  bool MemoModified() const override { return memoModified; }
  void SetMemoModified(bool modified) override { memoModified = modified; }
  void SetLabelCaption(std::u16string_view caption) override { label = caption; }
  void ShowError(std::u16string_view message) override {
    errors.emplace_back(message);
    busyAtAnError = busyAtAnError || busy;
  }
  bool Confirm(std::u16string_view question) override {
    questions.emplace_back(question);
    return Next(confirmAnswers).value_or(false);
  }
  void SetBusy(bool on) override {
    busySpells += on && !busy;
    busy = on;
  }
  void OpenAddress(std::string_view address) override { addresses.emplace_back(address); }

  // What the dialogs answer, one entry per showing; nothing means cancel.
  std::deque<std::optional<OpenChoice>> openAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  std::deque<std::optional<bool>> confirmAnswers;  // true for "Да"

  std::vector<OpenChoice> openStarts;
  std::vector<std::string> saveStarts;
  std::u16string memo;
  int memoWrites = 0;
  bool busy = false;
  int busySpells = 0;
  bool busyAtLastMemoWrite = false;
  bool busyAtAnError = false;
  bool memoModified = false;
  std::u16string label{kOpenedFileCaption};
  std::vector<std::u16string> errors;
  std::vector<std::u16string> questions;
  std::vector<std::string> addresses;

 private:
  template <typename Answer>
  static Answer Next(std::deque<Answer>& answers) {
    if (answers.empty()) {
      ADD_FAILURE() << "a dialog was shown that the test did not expect";
      return std::nullopt;
    }
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace texttoxml::app
