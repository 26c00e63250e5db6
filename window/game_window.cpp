// SPDX-License-Identifier: GPL-3.0-or-later
// Form1 on the Qt form engine.
#include "game_window.h"

#include "file_bytes.h"
#include "layout.h"
#include "pictures.h"

namespace galgen {

GameWindow::GameWindow(RandomSource& random)
    : form_(std::make_unique<form::Form>(form1Layout(), pictureFolder)), form1_(form_->engine(), random)
{
}

GameWindow::~GameWindow() = default;

void GameWindow::start(const std::optional<std::string>& wordList)
{
    form_->load();
    if (wordList)
        form_->engine().dropFile(readFileBytes(*wordList, *wordList));
}

}  // namespace galgen
