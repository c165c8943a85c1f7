#pragma once

constexpr char ProgramCaption[] = "Ardeno Ver.0.01";
// "Morvelの[ツール]から実行して下さい。" in code page 932: run the tool from the
// editor's [Tools] menu.
constexpr char RunFromToolsMessage[] =
    "Morvel\x82\xcc[\x83\x63\x81\x5b\x83\x8b]"
    "\x82\xa9\x82\xe7\x8e\xc0\x8d\x73\x82\xb5\x82\xc4\x89\xba\x82\xb3\x82\xa2\x81\x42";

// The tool's one pass: stretches the foreground editor window, or with "/all"
// every editor main window, to the main display's work area, or with
// "/display" to each window's own display's; warns when the editor is not in
// the foreground.
void RunStretcher();
