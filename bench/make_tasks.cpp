// Writes a task text of N generated tasks (windows-1251 Cyrillic, every task
// kind) to standard output: the input of the conversion benchmark.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

// A few windows-1251 words ("месяц", "ответ", "вопрос", "задание", "число").
const char* const kWords[] = {"\xEC\xE5\xF1\xFF\xF6", "\xEE\xF2\xE2\xE5\xF2",
                              "\xE2\xEE\xEF\xF0\xEE\xF1",
                              "\xE7\xE0\xE4\xE0\xED\xE8\xE5", "\xF7\xE8\xF1\xEB\xEE"};

std::string Sentence(std::mt19937& random, int words) {
  std::string text;
  for (int i = 0; i < words; ++i) {
    if (i > 0) text += ' ';
    text += kWords[random() % 5];
  }
  return text;
}

std::string Task(std::mt19937& random, int number) {
  std::string task = Sentence(random, 6) + " " + std::to_string(number) + "?\r\n";
  switch (random() % 4) {
    case 0:  // choice
      for (int i = 0; i < 5; ++i) task += (i == 1 ? "+ " : "- ") + Sentence(random, 2) + "\r\n";
      break;
    case 1:  // order
      for (int i = 1; i <= 5; ++i) task += std::to_string(i) + ". " + Sentence(random, 2) + "\r\n";
      break;
    case 2:  // numbers with captions
      task += "= {" + Sentence(random, 1) + ":} " + std::to_string(random() % 1000) + "\r\n";
      task += "= " + std::to_string(random() % 1000) + "\r\n";
      break;
    default:  // text answer
      task += "= " + Sentence(random, 1) + "\r\n";
  }
  return task;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_tasks N\n");
    return 2;
  }
  int count = std::atoi(argv[1]);
  std::mt19937 random(20130724);
  for (int i = 1; i <= count; ++i) {
    std::string task = Task(random, i) + "\r\n";
    std::fwrite(task.data(), 1, task.size(), stdout);
  }
  return 0;
}
