#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

// A sheet of ready-cut disc labels, as a small file describes it:
//
//     [Label sheet]
//     Name=A4, two labels
//     Paper=A4                ; A4, Letter, or "210 x 297" in millimetres
//     Outer=117               ; the labels' diameters, millimetres
//     Hole=41                 ; 0 for none
//     Label1=105,75.5         ; each label's centre from the paper's top-left corner
//     Label2=105,221.5
//
// The program ships a few such files and a user adds their own in the data folder.
struct LabelSheet
{
    static constexpr int kMaxLabels = 24;

    QString id;   // the file's name without ".ini": what the batch tool's --label-sheet takes
    QString name; // what the print selection shows
    QSizeF paperMm;
    double outer = 117;
    double hole = 41;
    QList<QPointF> centres; // position 1 first

    // The square of label `position` (from 1) on the paper, in millimetres from its corner.
    QRectF labelSquare(int position) const;

    // The sheet a file describes; nothing when the file is not one: no such section, a
    // paper or diameter that is not a number in range, no label, a label off the paper or
    // two labels that overlap.
    static std::optional<LabelSheet> read(const QString& path);
    // Every sheet of the `*.ini` files in `folders`, in order of name; a sheet of the same
    // id in a later folder replaces an earlier one. The files that are not sheets go to
    // `malformed`, and are left out.
    static QList<LabelSheet> readAll(const QStringList& folders, QStringList* malformed);
    // The sheet whose id or name is `name` (letter case aside), or nullptr.
    static const LabelSheet* find(const QList<LabelSheet>& sheets, const QString& name);

    // Which positions `text` names ("1,3", "2-4", "all" or empty for every one), each from 1
    // to `count`, in order and once; nothing when it names anything else.
    static std::optional<QList<int>> parsePositions(const QString& text, int count);
};
