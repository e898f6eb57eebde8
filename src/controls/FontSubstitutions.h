#pragma once

// Windows and printed slips ask for "ＭＳ ゴシック" and "ＭＳ Ｐゴシック" by name; on this
// platform the IPA fonts of the same metrics stand in for them. Call once after the
// QGuiApplication exists.
void InstallFontSubstitutions();
