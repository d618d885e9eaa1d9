#pragma once

#include <string>

namespace meltemix {

// True when the document declares a document type (<!DOCTYPE ...>) before its root element.
// The program reads no document that needs one, and a declaration is what lets a document
// name outside addresses and files to be fetched or nest entities until the parser stalls,
// so a document with one is no answer, whatever the DOM would make of it.
bool DeclaresDocumentType(const std::string& text);

} // namespace meltemix
