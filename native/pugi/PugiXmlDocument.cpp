// The pugixml DOM adapter lands here.
