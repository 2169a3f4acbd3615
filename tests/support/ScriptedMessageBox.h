#pragma once
// A message box that answers from a script and keeps every box it was asked
// to show.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/MessageBox.h"

class ScriptedMessageBox : public MessageBoxService {
public:
  struct Shown {
    std::string Titre, Message, Boutons;
    Colour Couleur;
  };

  // Every box shown, in order.
  std::vector<Shown> Calls;
  // The answers given in turn; once they are used up, DefaultAnswer.
  std::deque<int> Answers;
  int DefaultAnswer = 1;
  // Runs while a box is up, before it is answered.
  std::function<void(const Shown&)> OnShow;

  int BoiteMessage(const std::string& Titre, const std::string& Message, const std::string& Boutons,
                   Colour Couleur) override {
    Calls.push_back({Titre, Message, Boutons, Couleur});
    if (OnShow) OnShow(Calls.back());
    if (Answers.empty()) return DefaultAnswer;
    int a = Answers.front();
    Answers.pop_front();
    return a;
  }
};
