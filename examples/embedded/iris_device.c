/* A program as a device would run it, built on the network that corvina-cli export wrote as
 * iris.h and iris.c. It reads iris measurements from standard input (sepal length, sepal width,
 * petal length and petal width in cm: four numbers a row, separated by white space) and writes
 * the network's three answers for each row on one line, as corvina-cli consult writes them.
 * Nothing here depends on Corvina: the network is plain constant data and two functions.
 */
#include <stdio.h>

#include "iris.h"

int main(void)
{
    double measurements[iris_INPUTS];
    double answers[iris_OUTPUTS];
    int i;

    for (;;) {
        for (i = 0; i < iris_INPUTS; ++i) {
            if (scanf("%lf", &measurements[i]) != 1)
                return 0;
        }
        iris_consult(measurements, answers);
        for (i = 0; i < iris_OUTPUTS; ++i)
            printf(i + 1 < iris_OUTPUTS ? "%g " : "%g\n", answers[i]);
    }
}
