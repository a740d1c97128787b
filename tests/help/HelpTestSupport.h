#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every context number the programmers pass: menu commands, the channel
// table and its cell editors, the Product Information and Optional Features
// controls.
const std::vector<std::uint32_t>& UsedContextNumbers();

// Full path of a compiled help file of the build ("enHelp.chm").
std::string BuiltHelpFile(const std::string& name);

// The text of an HTML page without its tags, comments and head.
std::string VisibleText(const std::string& html);

// Targets of the href and src attributes of an HTML page.
std::vector<std::string> LinkTargets(const std::string& html);

// Creates the application object the window tests need (offscreen).
void EnsureApplication();
