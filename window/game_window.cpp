// Wiring of Form1: which handler answers which event of which control.
#include "game_window.h"

#include "controls.h"
#include "game_pictures.h"
#include "layout.h"

namespace galgen {

GameWindow::GameWindow(RandomSource& random)
    : pictures_(std::make_unique<GamePictures>()),
      form_(std::make_unique<form::Form>(form1Layout(), *pictures_)),
      form1_(*form_, random, [this] { form_->unload(); })
{
    form_->onLoad([this] { form1_.Form_Load(); });
    form_->onClick(control::textin, [this] { form1_.textin_Click(); });
    form_->onKeyPress(control::textin, [this](const i16& keyAscii) { form1_.textin_KeyPress(keyAscii); });
    form_->onClick(control::spielneu, [this] { form1_.spielneu_Click(); });
    form_->onClick(control::ende, [this] { form1_.ende_Click(); });
}

GameWindow::~GameWindow() = default;

void GameWindow::start() { form_->load(); }

}  // namespace galgen
