// Prototypes of the Fortran BLAS and LAPACK routines the solver calls.
//
// Every argument is passed by address, matrices are column-major with an
// explicit leading dimension, and each CHARACTER argument carries a trailing
// hidden length (gfortran calling convention); the lengths default to 1 so
// callers pass only the Fortran arguments.
#pragma once

#include <cstddef>

extern "C" {

// BLAS level 1: sum |x(i)|.
double dasum_(const int* n, const double* x, const int* incx);
// BLAS level 1: first position (from 1) of max |x(i)|; 0 when n < 1.
int idamax_(const int* n, const double* x, const int* incx);

// LAPACK: LU factorisation with partial pivoting, A = P*L*U.
void dgetrf_(const int* m, const int* n, double* a, const int* lda, int* ipiv, int* info);
// LAPACK: reciprocal condition number estimate from the factors of dgetrf.
void dgecon_(const char* norm, const int* n, const double* a, const int* lda, const double* anorm,
             double* rcond, double* work, int* iwork, int* info, std::size_t normLen = 1);
// LAPACK: Cholesky factorisation of a symmetric positive definite A.
void dpotrf_(const char* uplo, const int* n, double* a, const int* lda, int* info,
             std::size_t uploLen = 1);
// LAPACK: solve A*X = B with the Cholesky factor held in the "L" or "U" triangle of A.
void dpotrs_(const char* uplo, const int* n, const int* nrhs, const double* a, const int* lda,
             double* b, const int* ldb, int* info, std::size_t uploLen = 1);

}  // extern "C"
