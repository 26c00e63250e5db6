// Wiring of Form1: which handler answers which event of which control.
#include "game_window.h"

#include <stdexcept>
#include <string>

#include "controls.h"
#include "layout.h"
#include "pictures.h"

namespace galgen {

namespace {

// The layout's picture names, resolved to the drawings of the artwork.
class GamePictures final : public form::PictureSource {
public:
    QImage render(std::string_view name, qreal ratio) const override { return renderPicture(picture(name), ratio); }
    QString description(std::string_view name) const override { return pictureDescription(picture(name)); }
    QIcon icon(std::string_view name) const override
    {
        if (picture(name) != Picture::GallowsIcon)
            throw std::invalid_argument("not an icon: " + std::string(name));
        return gallowsIcon();
    }

private:
    static Picture picture(std::string_view name)
    {
        static const std::pair<std::string_view, Picture> names[] = {
            {picture_name::gallowsIcon, Picture::GallowsIcon},
            {picture_name::condemnedLedAway, Picture::CondemnedLedAway},
            {picture_name::hangedMan, Picture::HangedMan},
            {picture_name::executioner, Picture::Executioner},
            {picture_name::acquittal, Picture::Acquittal},
        };
        for (const auto& [known, picture] : names)
            if (known == name)
                return picture;
        throw std::invalid_argument("no picture named " + std::string(name));
    }
};

}  // namespace

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
