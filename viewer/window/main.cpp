// Sorvath: the DEM result viewer's program entry.
#include "viewer/window/animation_gif_making.h"
#include "viewer/window/form1.h"
#include "viewer/window/qt_window_interaction.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    auto interaction = std::make_unique<sorvath::QtWindowInteraction>();
    sorvath::QtWindowInteraction* dialogs = interaction.get();
    sorvath::Form1 window(std::move(interaction));
    dialogs->setDialogParent(&window);
    sorvath::AnimationGifMaking animationGifMaking(window);
    window.show();
    return app.exec();
}
