// The About box's text.
#include "shell/about.h"

namespace kelvaro {

std::string AboutText(std::string_view version) {
    std::string text = "Kelvaro ";
    text += version;
    text +=
        "\n"
        "\n"
        "Entwickelt vom Kelvaro-Team.\n"
        "Kontakt: kontakt@kelvaro.example\n"
        "Symbole: eigene Gestaltung des Kelvaro-Teams.";
    return text;
}

}  // namespace kelvaro
