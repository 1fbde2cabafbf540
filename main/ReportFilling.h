#pragma once

#include <QColor>
#include <QString>

#include <functional>

// The stages of the résumé filling, in the order it runs them; after each one the caller may
// advance its progress indicator.
enum class FillStage {
    Font,
    Colour,
    PageCounter,
    Identity,
    Photo,
    Experience1,
    Experience2,
    Experience3,
    Experience4,
    Experience5,
    Schooling,
    Course1,
    Course2,
    Course3,
    Course4,
    Course5,
    Information,
    Sentence,
};

// The page layouts the résumé can be printed in: the classic form, and the modern one that
// leads with the name and the position sought.
enum class PageLayout { Classico, Moderno };

// What a filling of the résumé report applies. The generation commands and the style dialog
// give the font, colour and page counter; the save dialog colours fewer targets and leaves
// the page counter as the last generation set it.
struct FillOptions {
    QString fontName = QStringLiteral("Arial");
    QColor colour = Qt::black;
    bool pageCounter = true;
    PageLayout layout = PageLayout::Classico;

    enum class ColourTargets {
        All,          // every line, the footer, the frame and the texts
        SectionLines, // only the five section-opening lines, the frame and the texts
    };
    ColourTargets colourTargets = ColourTargets::All;
    bool setPageCounter = true;

    std::function<void(FillStage)> progress;

    // Tells `progress`, when given, that the filling has done `stage`.
    void mark(FillStage stage) const
    {
        if (progress)
            progress(stage);
    }
};
