// Writes N generated tasks (every task kind) to standard output: the input of
// the conversion benchmark. By default the tasks are in this system's syntax
// in windows-1251; with --gift the same tasks (same seed, same words, same
// answers) are written in the GIFT quiz syntax in UTF-8, for the peer parser.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

// "месяц", "ответ", "вопрос", "задание", "число" in both encodings.
const char* const kAnsiWords[] = {"\xEC\xE5\xF1\xFF\xF6", "\xEE\xF2\xE2\xE5\xF2",
                                  "\xE2\xEE\xEF\xF0\xEE\xF1", "\xE7\xE0\xE4\xE0\xED\xE8\xE5",
                                  "\xF7\xE8\xF1\xEB\xEE"};
const char* const kUtf8Words[] = {"месяц", "ответ", "вопрос", "задание", "число"};

struct Syntax {
  const char* const* words;
  bool gift;
};

std::string Sentence(std::mt19937& random, const Syntax& syntax, int words) {
  std::string text;
  for (int i = 0; i < words; ++i) {
    if (i > 0) text += ' ';
    text += syntax.words[random() % 5];
  }
  return text;
}

// Both syntaxes draw the same random numbers in the same order, so that the
// two files hold the same tasks.
std::string Task(std::mt19937& random, const Syntax& syntax, int number) {
  std::string task = Sentence(random, syntax, 6) + " " + std::to_string(number) + "?";
  const bool gift = syntax.gift;
  task += gift ? " {" : "\r\n";
  switch (random() % 4) {
    case 0:  // choice
      for (int i = 0; i < 5; ++i) {
        std::string variant = Sentence(random, syntax, 2);
        task += gift ? (i == 1 ? "=" : "~") + variant + " "
                     : (i == 1 ? "+ " : "- ") + variant + "\r\n";
      }
      break;
    case 1:  // order (a matching question in GIFT)
      for (int i = 1; i <= 5; ++i) {
        std::string variant = Sentence(random, syntax, 2);
        task += gift ? "=" + variant + " -> " + std::to_string(i) + " "
                     : std::to_string(i) + ". " + variant + "\r\n";
      }
      break;
    case 2: {  // numbers, the first with a caption (GIFT has no captions)
      std::string caption = Sentence(random, syntax, 1);
      std::string first = std::to_string(random() % 1000);
      std::string second = std::to_string(random() % 1000);
      task += gift ? "#=" + first + " =" + second
                   : "= {" + caption + ":} " + first + "\r\n= " + second + "\r\n";
      break;
    }
    default:  // text answer
      task += gift ? "=" + Sentence(random, syntax, 1)
                   : "= " + Sentence(random, syntax, 1) + "\r\n";
  }
  if (gift) task += "}\n";
  return task;
}

}  // namespace

int main(int argc, char** argv) {
  const bool gift = argc == 3 && std::strcmp(argv[2], "--gift") == 0;
  if (argc != 2 && !gift) {
    std::fprintf(stderr, "usage: make_tasks N [--gift]\n");
    return 2;
  }
  const Syntax syntax{gift ? kUtf8Words : kAnsiWords, gift};
  const int count = std::atoi(argv[1]);
  std::mt19937 random(20130724);
  for (int i = 1; i <= count; ++i) {
    std::string task = Task(random, syntax, i) + (gift ? "\n" : "\r\n");
    std::fwrite(task.data(), 1, task.size(), stdout);
  }
  return 0;
}
