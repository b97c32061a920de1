get|Optics|Diameter
double|Optics|Diameter
get|Optics|Quoted
get|Optics|Open
double|Optics|Open
get|Optics|Middle
get|Optics|Lone
get|Optics|Bare
int|Optics|Bare
get|Optics|BlankEq
int|Optics|BlankEq
get|Optics|Spaced
get|Optics|comment line
