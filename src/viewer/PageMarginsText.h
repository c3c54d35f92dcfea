#pragma once

#include <QMargins>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

namespace velmora {

/// Page margins as the margins dialog shows and reads them: millimetres
/// with one decimal, in Catalan notation ("20,0"), while the report keeps
/// twips. A margin whose text the user left as it was shown keeps its exact
/// twips, so accepting the dialog unchanged never moves a margin by the
/// rounding to a tenth of a millimetre.
class PageMarginsText {
public:
    /// The dialog's order of the four margins.
    enum Side { Left, Top, Right, Bottom };
    static constexpr int sideCount = 4;
    using Texts = std::array<QString, sideCount>;

    /// Either the margins read, or the problem that refuses them, told to
    /// the user in Catalan, with the margin to correct.
    struct Reading {
        QMargins margins;
        QString problem;
        Side culprit = Left;
        bool isAccepted() const { return problem.isEmpty(); }
    };

    static QString millimetresText(int twips);
    static Texts textsOf(const QMargins &margins);
    /// "210,0 × 297,0 mm"
    static QString paperText(const QSize &paperTwips);

    /// Reads `texts` as margins for `paperTwips`. `shown` are the margins
    /// the texts were first filled from.
    static Reading read(const Texts &texts, const QMargins &shown, const QSize &paperTwips);

private:
    static std::optional<double> twipsOfText(const QString &text);
};

} // namespace velmora
