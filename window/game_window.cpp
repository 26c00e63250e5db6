// SPDX-License-Identifier: GPL-3.0-or-later
// Form1 on the Qt form engine.
#include "game_window.h"

#include "game_pictures.h"
#include "layout.h"

namespace galgen {

GameWindow::GameWindow(RandomSource& random)
    : pictures_(std::make_unique<GamePictures>()),
      form_(std::make_unique<form::Form>(form1Layout(), *pictures_)),
      form1_(*form_, random)
{
}

GameWindow::~GameWindow() = default;

void GameWindow::start() { form_->load(); }

}  // namespace galgen
