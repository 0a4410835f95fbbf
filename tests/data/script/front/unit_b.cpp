#include "unit_a.cpp"
{
}
