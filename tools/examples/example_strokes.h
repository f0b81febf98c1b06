// The pieces the example stroke files are made of: a character's strokes from an installation
// folder's archive, the fill-seed and flash-bar elements added to them, a check that a fill
// stays in its cell, and the stroke file written with its companion settings.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QString>

#include <cstdint>

#include "strokes/companion_settings.h"
#include "strokes/linelist.h"

namespace inkwren::tools {

// The strokes of a character in the simplified archive of the installation folder, one element
// a stroke. Throws Error when the archive does not hold the character.
TLineList archived_strokes(const QString& installation, const QString& character);

// A fill seed as an element of its own: when played, the ink layer is flood-filled with colour
// from the point outward, as far as the strokes drawn before it enclose.
TObjList fill_seed_element(QPointF at, std::int32_t colour);

// A flash bar for stroke as an element of its own, at the stroke's first point: when played it
// makes the nearest stroke before it blink flashes times in colour. Throws Error when stroke has
// no point.
TObjList flash_bar_element(const TObjList& stroke, int flashes, std::int32_t colour);

// Plays the strokes as the pad does and answers whether the point lies on paper they close off
// from the pad's edge, so a fill seed there floods that area and nothing else.
bool encloses(const TLineList& lines, QPoint at);

// Writes folder + name + ".wrt" and its companion ".def" beside it.
void write_example(const TLineList& lines, const CompanionSettings& settings, const QString& name,
                   const QString& folder);

}  // namespace inkwren::tools
